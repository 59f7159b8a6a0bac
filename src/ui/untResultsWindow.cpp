// The solver panel as a window: creation-time settings, showing, rolling up,
// dragging by the caption strip, closing, and the sliding options area.
#include "ui/untMain.h"
#include "ui/untResults.h"

#include "solver/AlgorithmGetetic.h"
#include "widgets/TBarChart.h"
#include "widgets/TCaptionBar.h"
#include "widgets/TFlatCheckBox.h"
#include "widgets/TGradientHeader.h"
#include "widgets/TImageButton.h"
#include "widgets/TSevenSegmentClock.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kNarrowWidth = 312;
// The slide stops once the width passes these client widths.
constexpr int kOpenLimit = 630;
constexpr int kCloseLimit = 311;
constexpr int kSlideStep = 5;
constexpr int kRolledUpMargin = 4;
// Red, as the bars of the crossover kinds are drawn.
const QColor kBarColour(255, 0, 0);

} // namespace

void TfrmResults::FormCreate() {
    resize(kNarrowWidth, height());
    OptimizeCombo->setCurrentIndex(0);
    // The close button sits at the right edge of the narrow window; the slide
    // moves it along with the edge.
    const int designLeft = CloseBtn->x();
    closeBtnLeft_ = designLeft / 2 - CloseBtn->width() + 5;
    CloseBtn->move(closeBtnLeft_, CloseBtn->y());

    ChromSost->ClearSeries(Series1);
    for (int kind = 0; kind < CrossoverTypePanel->count(); ++kind)
        ChromSost->AddPoint(Series1, 0, kBarColour, CrossoverTypePanel->itemText(kind));
    shownKindTotal_.fill(0);
}

void TfrmResults::setVisible(bool visible) {
    // Centred on the screen when first shown; afterwards it opens where the
    // user left it.
    if (visible && !placed_) {
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QWidget::setVisible(visible);
}

void TfrmResults::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmResults::FormShow() {
    const solver::TTSPPopulation* population = ResultsPopulation();
    if (!population || population->State() != solver::stRunning)
        InfoMemo->clear();
    CentreResLabel();
}

void TfrmResults::CentreResLabel() {
    ResLabel->adjustSize();
    ResLabel->move(FormCaption->width() / 2 - ResLabel->width() / 2,
                   FormCaption->height() / 2 - ResLabel->height() / 2);
}

void TfrmResults::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!FormCaption)
        return;
    // The caption strip and the gradient strip span the window.
    FormCaption->setGeometry(0, 0, width(), FormCaption->height());
    glWizardHeader1->setGeometry(0, FormCaption->height(), width(), glWizardHeader1->height());
}

void TfrmResults::Redraw() const {
    if (frmMain)
        frmMain->RedrawMap();
}

void TfrmResults::RollUpClick() {
    if (RollUp->ImageIndex() == 1) {
        RollUp->SetImageIndex(2);
        SavedHeight = height();
        resize(width(), FormCaption->height() + glWizardHeader1->height() + kRolledUpMargin);
    } else {
        RollUp->SetImageIndex(1);
        resize(width(), SavedHeight);
    }
    Redraw();
}

void TfrmResults::FormCaptionDblClick() {
    RollUpClick();
}

void TfrmResults::FormCaptionMouseDown() {
    StartWindowDrag(this);
    Redraw();
}

void TfrmResults::TimerMouseDown() {
    StartWindowDrag(this);
}

void TfrmResults::CloseBtnClick() {
    close();
    Redraw();
}

void TfrmResults::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TfrmResults::OptionsOpen() const {
    return OpenOptionsBtn->ImageIndex() == 1;
}

void TfrmResults::OpenOptionsBtnClick() {
    OpenOptionsBtn->SetImageIndex((OpenOptionsBtn->ImageIndex() + 1) % 2);
    TimerOpen->start();
    ResLabel->hide();
}

void TfrmResults::TimerOpenTimer() {
    // The window grows and shrinks about its middle: 5 pixels of width per
    // step and 5 pixels of position on every second step.
    bool moving;
    if (OptionsOpen()) {
        const int newWidth = width() + kSlideStep;
        resize(newWidth, height());
        closeBtnLeft_ += kSlideStep;
        CloseBtn->move(closeBtnLeft_, CloseBtn->y());
        if (newWidth % 2 != 0)
            move(x() - kSlideStep, y());
        Redraw();
        moving = width() <= kOpenLimit;
    } else {
        const int newWidth = width() - kSlideStep;
        resize(newWidth, height());
        closeBtnLeft_ -= kSlideStep;
        CloseBtn->move(closeBtnLeft_, CloseBtn->y());
        if (newWidth % 2 != 0)
            move(x() + kSlideStep, y());
        Redraw();
        moving = width() > kCloseLimit;
    }
    if (!moving) {
        CentreResLabel();
        TimerOpen->stop();
        ResLabel->show();
    }
}
