// trasolan: the road map editor and genetic route solver.
//
//   trasolan [--lang ru|en] [MAP.ga]
//
// A map named on the command line is opened once the main window is up.
//
// TRASOLAN_EXIT_AFTER_START=1 makes the program end right after that, for
// the check of an installed copy: it prints the map's node count and the
// folders of its help and sample maps, errors go to stderr instead of a
// message box, and the exit status says whether the map opened.

#include "core/RandomUnit.h"
#include "extras/ProfilerWindow.h"
#include "guibase/DataFolders.h"
#include "guibase/Language.h"
#include "guibase/Seams.h"
#include "map/TSPMap.h"
#include "ui/CommandLine.h"
#include "ui/Forms.h"
#include "ui/Help.h"
#include "ui/TrasolanApplication.h"
#include "ui/untMain.h"
#include "widgets/FlatToolTips.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Every start replays the same random draws until a random map reseeds.
    SetRandSeed(0);

    AnswerHelpAndVersion(argc, argv);
    TApplication app(argc, argv);
    const TCommandLine commandLine = ParseCommandLine(QCoreApplication::arguments());
    // The windows take their texts when they are made: the language first.
    if (!SetInterfaceLanguage(commandLine.Language))
        std::fprintf(stderr, "trasolan: the English translation is missing; Russian it is\n");
    // Until a map has been chosen, the open dialog shows the sample maps.
    seams::SetFirstFolder(QStringLiteral("ga"), FindDataFolder(QStringLiteral("examples")));
    ApplyFlatToolTips(app);
    ProfilerStartForProgram();

    CreateForms();
    frmMain->show();
    // Ask for the keyboard focus as well: without a window manager nobody else
    // gives it, and the window's short-cuts (Ctrl+L, F5, F9) need it.
    frmMain->activateWindow();

    const bool exitAfterStart = qEnvironmentVariableIntValue("TRASOLAN_EXIT_AFTER_START") == 1;
    if (exitAfterStart) {
        seams::ShowError = [](QWidget*, const QString& text) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
        };
    }
    const bool opened = commandLine.MapFile.isEmpty() || frmMain->OpenMapFile(commandLine.MapFile);

    int result = 0;
    if (exitAfterStart) {
        std::printf("nodes: %d\nhelp: %s\nexamples: %s\n", static_cast<int>(g_Map.Count()),
                    qPrintable(HelpPagePath()),
                    qPrintable(FindDataFolder(QStringLiteral("examples"))));
        result = opened ? 0 : 1;
    } else {
        result = QCoreApplication::exec();
    }

    DestroyForms();
    g_Map.Clear();
    ProfilerDoneForProgram();
    return result;
}
