#pragma once
// TStartMark shows the start picture in a borderless window in the middle of
// the desktop for ShowTime x 600 ms. It is a component of the main window:
// setting Active to true while the main window is built shows the splash and
// returns only when it has gone, so the main window appears after it.

#include <QObject>
#include <QPixmap>

#include <cstdint>

class TStartMark : public QObject {
    Q_OBJECT
public:
    // ShowTime starts at 2, the picture empty, Transparent and Active false.
    explicit TStartMark(QObject* owner = nullptr);

    // Display time in units of 600 ms.
    int ShowTime() const { return showTime_; }
    void SetShowTime(int showTime) { showTime_ = showTime; }
    // The milliseconds ShowTime stands for (never negative).
    int64_t ShowMilliseconds() const;

    // The splash picture; assigning copies it, assigning an empty picture is
    // ignored.
    QPixmap Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

    // Setting true shows the splash and waits ShowTime x 600 ms while the
    // application goes on processing its events, then destroys the window;
    // setting false, or setting anything while designing, only stores the
    // value.
    bool Active() const { return active_; }
    void SetActive(bool active);

    // Design mode: the component is being laid out, not run.
    bool Designing() const { return designing_; }
    void SetDesigning(bool designing) { designing_ = designing; }

    // How many times a splash window has been shown (for checks).
    int ShownCount() const { return shownCount_; }

private:
    int showTime_ = 2;
    QPixmap picture_;
    bool transparent_ = false;
    bool active_ = false;
    bool designing_ = false;
    int shownCount_ = 0;
};

// The main window's splash component, named StartMark: ShowTime 5, the
// program's 350 x 240 start picture, not transparent. Activates it (showing
// the splash for three seconds) unless the environment asks for no splash
// (TRASOLAN_NO_SPLASH=1, or TRASOLAN_TEST_MODE=1 as the window tests set).
TStartMark* CreateMainWindowStartMark(QObject* mainWindow);

// True when the environment turns the splash off.
bool SplashDisabledByEnvironment();
