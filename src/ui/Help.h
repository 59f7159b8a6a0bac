#pragma once
// The program's help: HTML pages in the "help" folder beside the program.

#include <QString>

// Opens the help's index page, at the given anchor when one is named.
void OpenHelp(const QString& anchor = {});
