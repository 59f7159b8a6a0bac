#pragma once
// The profiler window "Профайлер": the recorded sections as a list (upper
// half) and as a bar chart of their shares of the total time (lower half).
// Pointing at a bar selects its row and shows a hint with the section's share.
// F5 opens it while the program runs, when at least one section exists.

#include "profiler/Profiler.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QLabel;
class QScrollArea;
class QTableWidget;
class QWidget;

class TProfilerWindow : public QDialog {
    Q_OBJECT
public:
    // Builds the window from the sections as they are now.
    explicit TProfilerWindow(const profiler::TProfilerList& sections, QWidget* parent = nullptr);

    QWidget* TopPanel = nullptr;
    QTableWidget* ListView1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Hint = nullptr;

    // The pointer moved over the chart image to (x, y), image coordinates:
    // selects the hit section's row and shows the hint, or clears both.
    void Image1MouseMove(int x, int y);
    // Section under the pointer at the last move, or -1.
    int HotSection() const { return hotSection_; }

    // Chart image height h and each section's share p, in list order.
    int ChartHeight() const { return chartHeight_; }
    const std::vector<int32_t>& Percents() const { return percents_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillList();
    void DrawChart();
    void HideHint();

    profiler::TProfilerList sections_;
    int64_t totalSum_ = 0;
    std::vector<int32_t> percents_;
    int chartHeight_ = 0;
    int hotSection_ = -1;
};

// Shows the window modally and destroys it when it closes. Does nothing when
// no section exists or while the window is already open.
void ShowProfilerWindow();
// True while the window is open.
bool ProfilerWindowOpen();

// Watches the application's key presses for F5 and then opens the window,
// once the key's own handling is over. The watch looks at nothing else and
// does nothing while no section exists. Needs the application object.
void InstallProfilerKeyWatch();
void RemoveProfilerKeyWatch();

// Program start, once the application object exists: starts the profiler
// with the program's folder and file name (the report's place, falling back
// to the user's data folder when the program's folder cannot be written) and
// the F5 watch.
void ProfilerStartForProgram();
// Program end: stops the F5 watch and ends the profiler, which writes
// Profile.htm when sections exist. Returns the report's path, or an empty
// string when none was written; a report that cannot be written anywhere is
// told on the error output, since no window is left to show it.
QString ProfilerDoneForProgram();
