#include "support/AppFixture.h"

#include "guibase/Seams.h"
#include "map/TSPMap.h"
#include "solver/AlgorithmGetetic.h"
#include "ui/Forms.h"
#include "ui/RecentFiles.h"
#include "ui/TrasolanApplication.h"
#include "ui/frmLittleHint.h"
#include "ui/untHint.h"
#include "ui/untMain.h"
#include "ui/untProgress.h"
#include "ui/untRandomN.h"
#include "ui/untResults.h"

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace fixture {

namespace {

TSeamScript g_script;
std::unique_ptr<QTemporaryDir> g_tempDir;

QString TakeAnswer(std::deque<QString>& answers) {
    if (answers.empty())
        return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

TSeamScript& Script() {
    return g_script;
}

void InstallScriptedSeams() {
    seams::GetOpenFileName = [](QWidget*, const QString& filter, const QString& suffix) {
        g_script.OpenFilters << filter;
        g_script.OpenSuffixes << suffix;
        return TakeAnswer(g_script.OpenAnswers);
    };
    seams::GetSaveFileName = [](QWidget*, const QString& filter, const QString& suffix,
                                const QString& suggested) {
        g_script.SaveFilters << filter;
        g_script.SaveSuffixes << suffix;
        g_script.SaveSuggestions << suggested;
        return TakeAnswer(g_script.SaveAnswers);
    };
    seams::AskSaveChanges = [](QWidget*, const QString& text) {
        g_script.SaveChangesQuestions << text;
        return g_script.SaveChangesAnswer;
    };
    seams::ShowError = [](QWidget*, const QString& text) { g_script.Errors << text; };
    seams::ShowInformation = [](QWidget*, const QString& text) { g_script.Informations << text; };
    seams::AskOkCancel = [](QWidget*, const QString&, const QString& text) {
        g_script.Questions << text;
        return g_script.QuestionAnswer;
    };
    seams::Beep = [] { ++g_script.Beeps; };
    seams::OpenUrl = [](const QUrl& url) { g_script.OpenedUrls << url; };
}

namespace {

// The offscreen platform cannot raise windows or shape them; saying so on
// every hint would bury the test output.
QtMessageHandler g_previousHandler = nullptr;

void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg &&
        (message.startsWith(QStringLiteral("This plugin does not support")) ||
         message.contains(QStringLiteral("XDG_RUNTIME_DIR"))))
        return;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

void ResetProgram() {
    // The test library installs its own handler when the tests start; the
    // filter goes in front of whichever is in place.
    if (const QtMessageHandler previous = qInstallMessageHandler(QuietMessages);
        previous != QuietMessages)
        g_previousHandler = previous;
    if (frmMain && frmMain->Population() && frmMain->Population()->State() != solver::stStopped)
        frmMain->Population()->Stop();
    if (frmHint)
        frmHint->Forget();
    if (LittleHint)
        LittleHint->hide();
    if (frmResults)
        frmResults->hide();
    g_Map.Clear();
    g_Display = TDisplayFlags{};
    if (frmMain) {
        frmMain->PaintSetka->setChecked(false);
        frmMain->ShowPathItem->setChecked(false);
        frmMain->ShowRoadsItem->setChecked(true);
        frmMain->ShowCityNameItem->setChecked(false);
        frmMain->CurrentNodeID = 0;
        frmMain->Moving = false;
        frmMain->RoadStartID = -1;
        frmMain->RoadEndID = -1;
        if (frmMain->HasBackground())
            frmMain->LoadBackgroundFile(
                TempPath(QStringLiteral("no-picture.png"))); // plain surface again
        frmMain->Roads->setFixedSize(767, 446);
        frmMain->CreateSolver();
        frmMain->StartUntitledDocument();
        recent::Clear();
        frmMain->RebuildRecentMenu();
        frmMain->RedrawMap();
    }
    g_script = TSeamScript{};
}

QString TempPath(const QString& fileName) {
    if (!g_tempDir)
        g_tempDir = std::make_unique<QTemporaryDir>();
    return g_tempDir->filePath(fileName);
}

int RunTests(QObject& tests, int argc, char** argv) {
    InstallScriptedSeams();
    CreateForms();
    frmMain->show();
    frmMain->activateWindow();
    if (!QTest::qWaitForWindowExposed(frmMain))
        return 1;
    ResetProgram();
    const int result = QTest::qExec(&tests, argc, argv);
    DestroyForms();
    g_tempDir.reset();
    return result;
}

int RunWithApplication(int argc, char** argv, int (*body)(int, char**)) {
    // The help and the sample maps of the build folder, wherever the test
    // program lies.
    if (qEnvironmentVariableIsEmpty("TRASOLAN_DATA_DIR"))
        qputenv("TRASOLAN_DATA_DIR", TRASOLAN_TEST_DATA_DIR);
    // The program's settings (the recent maps) go to the test's own folder,
    // never into the user's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       TempPath(QStringLiteral("settings")));
    TApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    return body(argc, argv);
}

} // namespace fixture
