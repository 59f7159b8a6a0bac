#include "ui/untProgress.h"

#include <QApplication>
#include <QFrame>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

TfrmProgress* frmProgress = nullptr;

namespace {

constexpr QSize kClientSize{515, 30};
// Loading repaints the windows at most this often: a message loop turn per
// node would cost more than reading a large map.
constexpr qint64 kPumpInterval = 30; // ms

} // namespace

// Above the solver panel, which stays on top of the program's windows.
TfrmProgress::TfrmProgress(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmProgress"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(kClientSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFrameShape(QFrame::Panel);
    Panel->setFrameShadow(QFrame::Raised);
    layout->addWidget(Panel);
    auto* inner = new QVBoxLayout(Panel);
    inner->setContentsMargins(2, 2, 2, 2);
    Progress = new QProgressBar(Panel);
    Progress->setObjectName(QStringLiteral("Progress"));
    Progress->setRange(0, 100);
    Progress->setValue(0);
    Progress->setTextVisible(false);
    inner->addWidget(Progress);
}

void TfrmProgress::Open(bool pumpMessages) {
    pump_ = pumpMessages;
    position_ = 0;
    Progress->setValue(0);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    raise();
    if (pump_) {
        Pump();
    } else {
        repaint();
    }
}

void TfrmProgress::SetMaximum(int32_t maximum) {
    Progress->setRange(0, std::max(maximum, 0));
    Progress->setValue(0);
}

void TfrmProgress::Step() {
    ++position_;
    if (pump_ && sincePump_.elapsed() >= kPumpInterval)
        Pump();
}

void TfrmProgress::Pump() {
    Progress->setValue(std::min(position_, Progress->maximum()));
    // Windows repaint and timers run; the user's input waits until the map
    // is complete, so nothing can change it half-read.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePump_.start();
}

void TfrmProgress::Finish() {
    hide();
    position_ = 0;
    Progress->setValue(0);
}

TfrmProgressScope::TfrmProgressScope(TfrmProgress* window, TKind kind) : window_(window) {
    if (!window_)
        return;
    window_->Open(kind == Load);
    callbacks_.Begin = [window](int32_t maximum) { window->SetMaximum(maximum); };
    callbacks_.Step = [window] { window->Step(); };
    callbacks_.End = [window] { window->Finish(); };
}

TfrmProgressScope::~TfrmProgressScope() {
    if (window_)
        window_->Finish();
}
