#include "ui/untLearning.h"

#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "solver/SolverCodes.h"
#include "ui/Help.h"
#include "ui/TrasolanApplication.h"
#include "ui/untResults.h"
#include "widgets/TFlatEdit.h"
#include "widgets/TFlatSpinEdit.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>

#include <array>
#include <string_view>

TfrmLearning* frmLearning = nullptr;

namespace {

QString GenesText(const demo::TTSPChromosome& chromosome) {
    return QString::fromStdString(chromosome.ToText());
}

// Copies the items and the selected entry of one of the solver panel's
// lists. The panel is normally built before this window; should it be
// missing, the list still gets the solver's own labels and default choice so
// that the demonstration works on its own.
template <std::size_t N>
void CopyPanelList(const QString& name, QComboBox* target,
                   const std::array<std::string_view, N>& fallbackNames, int fallbackIndex) {
    target->clear();
    const QComboBox* source =
        frmResults ? frmResults->findChild<QComboBox*>(name, Qt::FindChildrenRecursively) : nullptr;
    if (source) {
        for (int i = 0; i < source->count(); ++i)
            target->addItem(source->itemText(i));
        target->setCurrentIndex(source->currentIndex());
        return;
    }
    for (const std::string_view label : fallbackNames)
        target->addItem(Text(label));
    target->setCurrentIndex(fallbackIndex);
}

// The operators take the kind as a byte; an empty list (no selection) maps to
// a kind the operators do not know, which leaves the copies as they were.
uint8_t SelectedKind(const QComboBox* list) {
    const int index = list->currentIndex();
    return index < 0 ? uint8_t{255} : static_cast<uint8_t>(index);
}

} // namespace

TfrmLearning::TfrmLearning(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLearning"));
    BuildControls();
    FormCreate();
    ConnectHandlers();
}

TfrmLearning::~TfrmLearning() {
    FormDestroy();
    if (frmLearning == this)
        frmLearning = nullptr;
}

void TfrmLearning::FormCreate() {
    // The chromosomes start empty; the first showing of a tab fills its own.
    chromosomeToMutate_ = demo::TTSPChromosome();
    parent1_ = demo::TTSPChromosome();
    parent2_ = demo::TTSPChromosome();
    CopyPanelList(QStringLiteral("MutationTypePanel"), MutationTypePanel, solver::kMutationNames,
                  solver::mkRandom);
    CopyPanelList(QStringLiteral("CrossoverTypePanel"), CrossoverTypePanel, solver::kCrossoverNames,
                  solver::ckOP);
}

void TfrmLearning::FormDestroy() {
    chromosomeToMutate_ = demo::TTSPChromosome();
    parent1_ = demo::TTSPChromosome();
    parent2_ = demo::TTSPChromosome();
}

bool TfrmLearning::MakeChromosome(demo::TTSPChromosome& chromosome) {
    const int genes = GenCount->value();
    if (genes < demo::kMinOperatorGenes) {
        seams::ShowError(this, Text(kLearningGeneCountMessage));
        return false;
    }
    demo::MakeRandomPermutation(chromosome, genes);
    return true;
}

bool TfrmLearning::MakeParents() {
    // Both parents or neither: they must always have the same length.
    demo::TTSPChromosome first;
    demo::TTSPChromosome second;
    if (!MakeChromosome(first) || !MakeChromosome(second))
        return false;
    parent1_ = std::move(first);
    parent2_ = std::move(second);
    return true;
}

void TfrmLearning::ShowParents() {
    p1->setText(GenesText(parent1_));
    p2->setText(GenesText(parent2_));
    c1->clear();
    c2->clear();
}

void TfrmLearning::TabSheet1Show() {
    SetDefaultButtonFor(TabSheet1);
    if (parent1_.Count() == 0 || parent2_.Count() == 0)
        MakeParents();
    ShowParents();
}

void TfrmLearning::Button3Click() {
    if (MakeParents())
        ShowParents();
}

void TfrmLearning::Button4Click() {
    // Fresh copies every time, so the parents never change and repeated
    // clicks show independent results of the same inputs.
    demo::TTSPChromosome child1 = parent1_;
    demo::TTSPChromosome child2 = parent2_;
    demo::DemoCrossover(SelectedKind(CrossoverTypePanel), parent1_, parent2_, child1, child2);
    c1->setText(GenesText(child1));
    c2->setText(GenesText(child2));
}

void TfrmLearning::TabSheet2Show() {
    SetDefaultButtonFor(TabSheet2);
    if (chromosomeToMutate_.Count() == 0)
        MakeChromosome(chromosomeToMutate_);
    ChromDoMut->setText(GenesText(chromosomeToMutate_));
}

void TfrmLearning::Button1Click() {
    if (!MakeChromosome(chromosomeToMutate_))
        return;
    ChromDoMut->setText(GenesText(chromosomeToMutate_));
    // The last result belonged to the previous chromosome.
    ChromPosleMut->clear();
}

void TfrmLearning::Button2Click() {
    demo::TTSPChromosome mutated = chromosomeToMutate_;
    demo::DemoMutation(SelectedKind(MutationTypePanel), mutated);
    ChromPosleMut->setText(GenesText(mutated));
}

void TfrmLearning::Label11MouseEnter() {
    QPalette palette = Label11->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    Label11->setPalette(palette);
    QFont font = Label11->font();
    font.setUnderline(true);
    Label11->setFont(font);
}

void TfrmLearning::Label11MouseLeave() {
    QPalette palette = Label11->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    Label11->setPalette(palette);
    QFont font = Label11->font();
    font.setUnderline(false);
    font.setBold(false);
    font.setItalic(false);
    font.setStrikeOut(false);
    Label11->setFont(font);
}

void TfrmLearning::Label11Click() {
    // The help has one page on the crossover kinds; it opens at PMX, the
    // kind it explains first, whatever kind is selected.
    OpenHelp(QStringLiteral("PMX"));
}

void TfrmLearning::SetDefaultButtonFor(QWidget* tab) {
    if (tab == TabSheet1)
        Button3->setDefault(true);
    else if (tab == TabSheet2)
        Button1->setDefault(true);
}

void TfrmLearning::showEvent(QShowEvent* event) {
    // Centred on the screen each time it opens.
    if (!event->spontaneous()) {
        if (const QScreen* where = screen()) {
            // The frame is centred; its size is known once the window
            // system has framed the window (before that it is the client).
            QRect frame = frameGeometry();
            frame.moveCenter(where->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

bool TfrmLearning::eventFilter(QObject* watched, QEvent* event) {
    // A page receives a non-spontaneous show event when its tab is selected
    // and when the window opens on it; restoring a minimised window does not
    // count as showing the tab again.
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        if (watched == TabSheet1)
            RunGuarded([this] { TabSheet1Show(); });
        else if (watched == TabSheet2)
            RunGuarded([this] { TabSheet2Show(); });
    } else if (watched == Label11) {
        switch (event->type()) {
        case QEvent::Enter:
            Label11MouseEnter();
            break;
        case QEvent::Leave:
            Label11MouseLeave();
            break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                Label11->rect().contains(mouse->position().toPoint()))
                RunGuarded([this] { Label11Click(); });
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
