#pragma once
// The about box "About me :)": while it is open it plays the program's tune,
// slides the logo down beside the text, and types a greeting and then the
// author's address as if on a typewriter. A click on the text once the address
// is complete opens a new mail to it.
//
// The three timers belong to the window and keep running when it is closed:
// a slide or typing still under way finishes on its own, and the next showing
// starts the slide and the greeting again.

#include <QDialog>
#include <QString>

class QLabel;
class QTimer;
class TGradientHeader;
class TSongPlayer;

class TfrmHelpAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmHelpAbout(QWidget* parent = nullptr);
    ~TfrmHelpAbout() override;

    TGradientHeader* Header = nullptr;
    QLabel* ImageLogo = nullptr;
    QLabel* StaticText = nullptr;
    QLabel* Email = nullptr;
    QTimer* Timer1 = nullptr; // logo slide
    QTimer* Timer2 = nullptr; // greeting
    QTimer* Timer3 = nullptr; // address
    TSongPlayer* Song = nullptr;

    void FormShow();
    void FormClose();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void StaticTextClick();

    // Slide state of the current showing.
    int StepsLeft() const { return stepsLeft_; }
    int BaseInterval() const { return baseInterval_; }

    // The texts the box types.
    static QString Greeting();
    static QString Address();

    // Slide length in pixels (and ticks), and the logo's first top.
    static constexpr int kSlideSteps = 220;
    static constexpr int kLogoTop = 16;
    static constexpr int kLogoLeft = 8;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartMusic();

    int stepsLeft_ = 0;
    int baseInterval_ = 0;
};

extern TfrmHelpAbout* frmHelpAbout;
