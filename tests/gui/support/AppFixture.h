#pragma once
// Shared frame of the window tests: the program's own application object,
// the windows created once as at start-up, and scripted seams in place of
// the system's dialogs, so that no test ever waits for a person.
//
//   TRASOLAN_GUI_TEST_MAIN(TestMainWindow)
//
// replaces QTEST_MAIN and does all of it.

#include "guibase/Seams.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <deque>

namespace fixture {

// What the scripted seams answered and saw.
struct TSeamScript {
    // Answers of the open and save dialogs, taken front first; an empty
    // queue answers "cancelled".
    std::deque<QString> OpenAnswers;
    std::deque<QString> SaveAnswers;
    // Answer of every OK/Cancel question.
    bool QuestionAnswer = true;
    // Answer of the unsaved-changes question: not saving lets every command
    // go on, as it did before the question existed.
    seams::TSaveChangesAnswer SaveChangesAnswer = seams::TSaveChangesAnswer::Discard;

    // What the program asked and showed.
    QStringList OpenFilters;
    QStringList OpenSuffixes;
    QStringList SaveFilters;
    QStringList SaveSuffixes;
    QStringList SaveSuggestions;
    QStringList SaveChangesQuestions;
    QStringList Errors;
    QStringList Informations;
    QStringList Questions;
    QList<QUrl> OpenedUrls;
    int Beeps = 0;
};

// The script the seams follow (installed by the test main).
TSeamScript& Script();
void InstallScriptedSeams();

// Puts the program back to its start-up state between tests: empty map,
// start-up display flags and check marks, no background, editor idle,
// secondary windows hidden, a fresh population, a new document without a
// file or history, no recent maps, a clean script.
void ResetProgram();

// A path in a temporary folder that lives as long as the test program.
QString TempPath(const QString& fileName);

// Runs the test object with the program's windows in place.
int RunTests(QObject& tests, int argc, char** argv);

} // namespace fixture

#define TRASOLAN_GUI_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char** argv) {                                                              \
        return fixture::RunWithApplication(argc, argv, [](int c, char** v) {                       \
            TestClass tests;                                                                       \
            return fixture::RunTests(tests, c, v);                                                 \
        });                                                                                        \
    }

namespace fixture {
// Creates the application object (the program's own, with its error
// display) and calls body inside it.
int RunWithApplication(int argc, char** argv, int (*body)(int, char**));
} // namespace fixture
