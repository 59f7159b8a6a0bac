#include "extras/ProfilerWindow.h"

#include "guibase/ModalWindows.h"
#include "guibase/Text.h"
#include "profiler/ProfilerView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

constexpr int kFormWidth = 620;
constexpr int kFormHeight = 400;
constexpr int kListTop = 30;
// Room the chart leaves under itself for the horizontal scroll bar.
constexpr int kChartBottomGap = 20;
constexpr int kHintMaxWidth = 250;

bool g_windowOpen = false;

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

// The hint's text as Qt shows it: a line break is a plain "\n".
QString HintText(const std::string& text) {
    return MessageText(FromUtf8(text)).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TProfilerWindow::TProfilerWindow(const profiler::TProfilerList& sections, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      sections_(sections) {
    setObjectName(QStringLiteral("frmProfiler"));
    setWindowTitle(Text("Профайлер"));
    setFixedSize(kFormWidth, kFormHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->geometry();
        move(desk.width() / 2 - width() / 2, desk.height() / 2 - height() / 2);
    }
    const int halfHeight = height() / 2;

    Hint = new QLabel(this, Qt::ToolTip);
    Hint->setObjectName(QStringLiteral("Hint"));
    Hint->setAutoFillBackground(true);
    QPalette hintPalette = Hint->palette();
    hintPalette.setColor(QPalette::Window, hintPalette.color(QPalette::ToolTipBase));
    hintPalette.setColor(QPalette::WindowText, hintPalette.color(QPalette::ToolTipText));
    Hint->setPalette(hintPalette);
    Hint->setFrameShape(QFrame::Box);
    Hint->setMargin(2);
    Hint->setWordWrap(true);
    Hint->setMaximumWidth(kHintMaxWidth);
    Hint->setTextFormat(Qt::PlainText);
    Hint->hide();

    TopPanel = new QWidget(this);
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    TopPanel->setGeometry(0, 0, width(), halfHeight);

    ListView1 = new QTableWidget(TopPanel);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(0, kListTop, width(), halfHeight - kListTop);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setShowGrid(true);
    ListView1->verticalHeader()->hide();
    // Rows and headings as compact as a report-style list's.
    ListView1->verticalHeader()->setDefaultSectionSize(ListView1->fontMetrics().height() + 4);
    QFont headingFont = ListView1->horizontalHeader()->font();
    headingFont.setBold(false);
    ListView1->horizontalHeader()->setFont(headingFont);
    ListView1->horizontalHeader()->setHighlightSections(false);
    ListView1->setMouseTracking(true);
    ListView1->viewport()->setMouseTracking(true);
    ListView1->viewport()->installEventFilter(this);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setGeometry(0, halfHeight, width(), halfHeight);
    ScrollBox1->setBackgroundRole(QPalette::Base);
    QPalette white = ScrollBox1->palette();
    white.setColor(QPalette::Base, Qt::white);
    ScrollBox1->setPalette(white);
    ScrollBox1->viewport()->setMouseTracking(true);
    ScrollBox1->viewport()->installEventFilter(this);

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    ScrollBox1->setWidget(Image1);

    totalSum_ = profiler::TotalSum(sections_);
    percents_ = profiler::SectionPercents(sections_);
    chartHeight_ = std::max(0, halfHeight - kChartBottomGap);
    FillList();
    DrawChart();
}

void TProfilerWindow::FillList() {
    const auto& columns = profiler::ProfilerColumns();
    ListView1->setColumnCount(static_cast<int>(columns.size()));
    QStringList headings;
    for (size_t c = 0; c < columns.size(); ++c) {
        headings << Text(columns[c].Caption);
        ListView1->setColumnWidth(static_cast<int>(c), columns[c].Width);
    }
    ListView1->setHorizontalHeaderLabels(headings);
    ListView1->setRowCount(static_cast<int>(sections_.size()));
    for (size_t row = 0; row < sections_.size(); ++row) {
        const auto texts = profiler::ProfilerRowTexts(sections_[row], totalSum_);
        for (size_t c = 0; c < texts.size(); ++c)
            ListView1->setItem(static_cast<int>(row), static_cast<int>(c),
                               new QTableWidgetItem(FromUtf8(texts[c])));
    }
}

void TProfilerWindow::DrawChart() {
    const int width = profiler::ProfilerChartWidth(static_cast<int>(sections_.size()));
    QPixmap chart(std::max(1, width), std::max(1, chartHeight_));
    chart.fill(Qt::white);
    QPainter painter(&chart);
    for (size_t k = 0; k < sections_.size(); ++k) {
        const profiler::TProfilerColour colour = profiler::DrawWindowBarColour();
        const profiler::TBarRect bar =
            profiler::ProfilerBarRect(static_cast<int>(k), percents_[k], chartHeight_);
        const QRect rect(bar.Left, bar.Top, bar.Right - bar.Left, bar.Bottom - bar.Top);
        if (rect.isEmpty())
            continue;
        // A black outline around the fill, inside the bar's rectangle.
        painter.fillRect(rect, Qt::black);
        painter.fillRect(rect.adjusted(1, 1, -1, -1),
                         QColor(colour.Red, colour.Green, colour.Blue));
    }
    painter.end();
    Image1->setPixmap(chart);
    Image1->resize(chart.size());
}

void TProfilerWindow::Image1MouseMove(int x, int y) {
    hotSection_ = profiler::ProfilerHitTest(percents_, chartHeight_, x, y);
    if (hotSection_ < 0) {
        Image1->unsetCursor();
        ListView1->clearSelection();
        ListView1->setCurrentItem(nullptr);
        HideHint();
        return;
    }
    Image1->setCursor(Qt::PointingHandCursor);
    Hint->setText(HintText(profiler::ProfilerHintText(sections_[hotSection_], totalSum_)));
    Hint->adjustSize();
    Hint->move(Image1->mapToGlobal(QPoint(x, y)));
    Hint->show();
    Hint->raise();
    ListView1->selectRow(hotSection_);
}

void TProfilerWindow::HideHint() {
    Hint->hide();
}

bool TProfilerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        if (watched == Image1) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            Image1MouseMove(at.x(), at.y());
        } else if (watched == ScrollBox1->viewport() || watched == ListView1->viewport()) {
            HideHint();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowProfilerWindow() {
    if (g_windowOpen || profiler::ProfilerSections().empty())
        return;
    g_windowOpen = true;
    struct TOpenFlag {
        ~TOpenFlag() { g_windowOpen = false; }
    } openFlag;
    TProfilerWindow window(profiler::ProfilerSections());
    ExecModal(window);
}

bool ProfilerWindowOpen() {
    return g_windowOpen;
}

namespace {

// Sees every key press of the application before its receiver does. F5
// stays with its receiver too (the main window generates a random map on
// it); the profiler window opens once that handling is over.
class TProfilerKeyWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // A key bound to a short-cut (the main window's F5) arrives only as
        // a short-cut override; other keys come as presses, most after an
        // override as well.
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F5)
            return false;
        if (pending_ || g_windowOpen || profiler::ProfilerSections().empty())
            return false;
        // A key press travels up the parent chain and passes this filter at
        // every step, after its override; one press opens one window.
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
            pending_ = false;
            ShowProfilerWindow();
        });
        return false;
    }

private:
    bool pending_ = false;
};

QPointer<TProfilerKeyWatch> g_keyWatch;

} // namespace

void InstallProfilerKeyWatch() {
    if (g_keyWatch || !qApp)
        return;
    g_keyWatch = new TProfilerKeyWatch(qApp);
    qApp->installEventFilter(g_keyWatch);
}

void RemoveProfilerKeyWatch() {
    delete g_keyWatch.data();
}

void ProfilerStartForProgram() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    profiler::TProfilerSetup setup;
    setup.ProgramFolder = QDir::toNativeSeparators(program.absolutePath() + u'/').toStdString();
    setup.ProgramFileName = program.fileName().toStdString();
    setup.FallbackFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString();
    profiler::ProfilerInit(setup);
    InstallProfilerKeyWatch();
}

QString ProfilerDoneForProgram() {
    RemoveProfilerKeyWatch();
    try {
        return QString::fromStdString(profiler::ProfilerDone());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return {};
    }
}
