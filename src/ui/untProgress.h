#pragma once
// The progress window of the map file: a borderless bar in the middle of the
// screen, one step per node read or written.

#include "map/TSPMap.h"

#include <QElapsedTimer>
#include <QWidget>

class QFrame;
class QProgressBar;

class TfrmProgress : public QWidget {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget* parent = nullptr);

    // Shows the window centred on the screen. With pumping on (loading), the
    // window repaints now and then while the work goes on.
    void Open(bool pumpMessages);
    void SetMaximum(int32_t maximum);
    // One node done.
    void Step();
    // Closes the window and puts the bar back at 0.
    void Finish();

    // Steps counted since Open (the bar shows them at each repaint).
    int32_t Position() const { return position_; }

    QFrame* Panel = nullptr;
    QProgressBar* Progress = nullptr;

private:
    void Pump();

    bool pump_ = false;
    int32_t position_ = 0;
    QElapsedTimer sincePump_;
};

extern TfrmProgress* frmProgress;

// Shows the progress window for one load or save and closes it again when
// the operation ends, also when it fails.
class TfrmProgressScope {
public:
    enum TKind { Load, Save };
    TfrmProgressScope(TfrmProgress* window, TKind kind);
    ~TfrmProgressScope();
    TfrmProgressScope(const TfrmProgressScope&) = delete;
    TfrmProgressScope& operator=(const TfrmProgressScope&) = delete;

    // The callbacks to hand to the map file.
    const TMapProgress& Callbacks() const { return callbacks_; }

private:
    TfrmProgress* window_;
    TMapProgress callbacks_;
};
