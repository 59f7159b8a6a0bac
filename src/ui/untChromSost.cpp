#include "ui/untChromSost.h"

#include "guibase/ModalWindows.h"
#include "guibase/Text.h"
#include "solver/AlgorithmGetetic.h"
#include "solver/SolverCodes.h"
#include "ui/untResults.h"
#include "widgets/TBarChart.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

TfrmChromSost* frmChromSost = nullptr;

TfrmChromSost::TfrmChromSost(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmChromSost"));
    setWindowTitle(Text("Состояние хромосом при решении"));
    setSizeGripEnabled(true);
    resize(774, 556);

    const QColor silver(192, 192, 192);
    Chart = new TBarChart(this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->SetTitle(QString());
    Chart->SetBackgroundGradient(silver, silver);
    Chart->SetLegendVisible(false);
    // A three-dimensional view: boxes on a white floor.
    Chart->SetDepth(12);
    TBarSeriesOptions options;
    options.Marks = TMarkStyle::Value;
    options.MarkBackground = QColor(255, 255, 210);
    options.GradientBars = true;
    options.InLegend = false;
    Series1 = Chart->AddSeries(QStringLiteral("Series1"), options);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Chart);
}

TfrmChromSost::~TfrmChromSost() {
    if (frmChromSost == this)
        frmChromSost = nullptr;
}

void TfrmChromSost::Fill(const std::array<int32_t, 5>& kindTotal) {
    Chart->ClearSeries(Series1);
    for (int kind = 0; kind < static_cast<int>(kindTotal.size()); ++kind) {
        QString label;
        if (frmResults && kind < frmResults->CrossoverTypePanel->count())
            label = frmResults->CrossoverTypePanel->itemText(kind);
        else {
            const std::string_view name = solver::kCrossoverNames[static_cast<std::size_t>(kind)];
            label = Text(name);
        }
        Chart->AddPoint(Series1, kindTotal[static_cast<std::size_t>(kind)], QColor(255, 0, 0),
                        label);
    }
}

void TfrmChromSost::ShowModalFromMenu() {
    const solver::TTSPPopulation* population = ResultsPopulation();
    Fill(population ? population->KindTotal() : std::array<int32_t, 5>{});
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ExecModal(*this);
}
