#include "ui/untTestCrossover.h"

#include "core/NumberText.h"
#include "guibase/Text.h"
#include "widgets/TBarChart.h"

#include <QVBoxLayout>

TfrmTestCrossover* frmTestCrossover = nullptr;

namespace {

QString NumberText(double value) {
    return QString::fromStdString(FloatToStr(value));
}

double Sum(const std::array<double, TCrossoverTestResults::kRuns>& values) {
    double sum = 0;
    for (const double v : values)
        sum += v;
    return sum;
}

} // namespace

double SharePercent(double value, double sum) {
    return sum != 0 ? value * 100 / sum : 0;
}

QStringList TfrmTestCrossover::BaseFootLines() {
    return {Text("1 столбец - результат (чем меньше, тем точнее)"),
            Text("2 столбец - время работы (чем больше, тем дольше работает)"),
            Text("3 столбец - количество итераций")};
}

TfrmTestCrossover::TfrmTestCrossover(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmTestCrossover"));
    setWindowTitle(Text("Тест кроссоверов"));
    resize(775, 560);

    Chart1 = new TBarChart(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->SetTitle(Text("Тест кроссоверов генетического алгоритма"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setBold(true);
    titleFont.setPointSize(10);
    Chart1->SetTitleFont(titleFont);
    Chart1->SetTitleColor(Qt::blue);
    Chart1->SetFootLines(BaseFootLines());
    Chart1->SetLeftAxisRange(0, 100);
    Chart1->SetLeftAxisLineVisible(false);
    Chart1->SetLeftAxisTitle(QStringLiteral("%"));
    Chart1->SetLegendVisible(true);
    Chart1->SetLegendAlignment(Qt::AlignBottom);
    Chart1->SetBackgroundGradient(palette().color(QPalette::Window), QColor(192, 192, 192));

    TBarSeriesOptions result;
    result.Axis = TBarAxis::Right;
    result.Marks = TMarkStyle::LabelAndValue;
    result.InLegend = true;
    result.LegendText = TLegendText::PercentAndLabel;
    Series1 = Chart1->AddSeries(QStringLiteral("Series1"), result);
    TBarSeriesOptions time;
    time.Marks = TMarkStyle::Percent;
    Series2 = Chart1->AddSeries(QStringLiteral("Series2"), time);
    TBarSeriesOptions generations;
    generations.Marks = TMarkStyle::Label;
    Series3 = Chart1->AddSeries(QStringLiteral("Series3"), generations);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Chart1);
}

TfrmTestCrossover::~TfrmTestCrossover() {
    if (frmTestCrossover == this)
        frmTestCrossover = nullptr;
}

void TfrmTestCrossover::ShowResults(const TCrossoverTestResults& results) {
    const double resultSum = Sum(results.Result);
    const double timeSum = Sum(results.Time);
    const double generationSum = Sum(results.Generations);

    Chart1->Clear();
    for (int i = 0; i < TCrossoverTestResults::kRuns; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const bool adaptive = i == TCrossoverTestResults::kRuns - 1;
        const QString name = adaptive ? QStringLiteral("Adaptive") : results.Names[k];
        const QColor colour = results.Colours[k];
        Chart1->AddPoint(Series1, SharePercent(results.Result[k], resultSum), colour,
                         name + QLatin1Char(' ') + NumberText(results.Result[k]));
        Chart1->AddPoint(Series2, SharePercent(results.Time[k], timeSum), colour);
        Chart1->AddPoint(Series3, SharePercent(results.Generations[k], generationSum), colour,
                         NumberText(results.Generations[k]));
    }

    // Shares of a sum of 0 do not exist; the bars stay at 0 and the foot says why.
    QStringList foot = BaseFootLines();
    const auto noteZero = [&foot](double sum, const char* column) {
        if (sum == 0)
            foot << Text(column);
    };
    noteZero(resultSum, "1 столбец - все результаты равны 0, проценты не определены");
    noteZero(timeSum, "2 столбец - все прогоны короче секунды, проценты времени не определены");
    noteZero(generationSum, "3 столбец - ни одного поколения, проценты не определены");
    Chart1->SetFootLines(foot);
}
