#include "extras/StartMark.h"

#include "extras/MarkForm.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QIcon>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

constexpr int64_t kShowTimeUnitMs = 600;
constexpr int kMainWindowShowTime = 5;
const QSize kSplashSize(350, 240);

} // namespace

TStartMark::TStartMark(QObject* owner) : QObject(owner) {}

int64_t TStartMark::ShowMilliseconds() const {
    return std::max<int64_t>(0, static_cast<int64_t>(showTime_) * kShowTimeUnitMs);
}

void TStartMark::SetPicture(const QPixmap& picture) {
    if (picture.isNull())
        return;
    picture_ = picture;
}

void TStartMark::SetActive(bool active) {
    if (designing_ || !active) {
        active_ = active;
        return;
    }
    auto mark = std::make_unique<TMark>();
    mark->SetPicture(picture_);
    mark->SetTransparent(transparent_);
    mark->show();
    ++shownCount_;

    // Keep the application's events flowing, so that the splash paints and
    // windows that already exist stay alive, until the time is up. The wait
    // sleeps in the event loop rather than spinning.
    QElapsedTimer elapsed;
    elapsed.start();
    const int64_t total = ShowMilliseconds();
    QEventLoop loop;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
    while (elapsed.elapsed() < total) {
        wake.start(static_cast<int>(total - elapsed.elapsed()));
        loop.exec();
    }
    mark.reset();
    active_ = active;
}

bool SplashDisabledByEnvironment() {
    return qEnvironmentVariableIntValue("TRASOLAN_NO_SPLASH") == 1 ||
           qEnvironmentVariableIntValue("TRASOLAN_TEST_MODE") == 1;
}

TStartMark* CreateMainWindowStartMark(QObject* mainWindow) {
    auto* mark = new TStartMark(mainWindow);
    mark->setObjectName(QStringLiteral("StartMark"));
    mark->SetShowTime(kMainWindowShowTime);
    mark->SetPicture(QIcon(QStringLiteral(":/extras/splash.svg")).pixmap(kSplashSize));
    mark->SetTransparent(false);
    if (!SplashDisabledByEnvironment())
        mark->SetActive(true);
    return mark;
}
