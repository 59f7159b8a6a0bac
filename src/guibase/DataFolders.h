#pragma once
// Where the program's own files lie: the help pages and the sample maps.
// In the build folder they are copied beside the program; installed, they
// lie under share/trasolan of the installation prefix. TRASOLAN_DATA_DIR
// names another folder holding them, for a copy of the program run from
// anywhere (and for the tests).

#include <QString>
#include <QStringList>

// The folders looked in for name ("help", "examples"), first choice first.
QStringList DataFolderCandidates(const QString& name);

// The first of them that exists, or an empty string.
QString FindDataFolder(const QString& name);
