#pragma once
// The program's command line:
//
//   trasolan [--lang ru|en] [MAP.ga]
//
// --help and --version print and end the program, as does a mistake (with
// exit status 2). Its wording is English, like trasolan-cli's.

#include "guibase/Language.h"

#include <QString>
#include <QStringList>

struct TCommandLine {
    TLanguage Language = TLanguage::Russian;
    QString MapFile; // empty: start with an empty map
};

// Reads the arguments (the program's name first); the language is the
// system's unless --lang names one. Ends the program on --help, --version and
// mistakes.
TCommandLine ParseCommandLine(const QStringList& arguments);

// Answers --help and --version before the window system is needed, so that
// they work without a display too; returns when neither was asked for.
void AnswerHelpAndVersion(int argc, char** argv);
