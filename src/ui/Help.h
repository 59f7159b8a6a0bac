#pragma once
// The program's help: HTML pages in the "help" folder of the program's files
// (guibase/DataFolders.h), Russian or English as the interface. The desktop's
// browser shows them; without one, a window of the program does.

#include <QString>

class THelpWindow;

// Opens the help's index page, at the given anchor when one is named. With
// no help found, says where it was looked for.
void OpenHelp(const QString& anchor = {});

// The index page of the interface language (the Russian one when the other
// is missing), or an empty string when there is no help at all.
QString HelpPagePath();

// The program's own help window, once it has been needed (else nullptr).
THelpWindow* HelpWindow();
