// trasolan: the road map editor and genetic route solver.
//
//   trasolan [MAP.ga]
//
// A map named on the command line is opened once the main window is up.

#include "core/RandomUnit.h"
#include "extras/ProfilerWindow.h"
#include "map/TSPMap.h"
#include "ui/Forms.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "widgets/FlatToolTips.h"

#include <QStringList>

int main(int argc, char** argv) {
    // Every start replays the same random draws until a random map reseeds.
    SetRandSeed(0);

    TApplication app(argc, argv);
    ApplyFlatToolTips(app);
    ProfilerStartForProgram();

    CreateForms();
    frmMain->show();
    // Ask for the keyboard focus as well: without a window manager nobody else
    // gives it, and the window's short-cuts (Ctrl+L, F5, F9) need it.
    frmMain->activateWindow();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        frmMain->OpenMapFile(arguments.at(1));

    const int result = QCoreApplication::exec();

    DestroyForms();
    g_Map.Clear();
    ProfilerDoneForProgram();
    return result;
}
