#include "guibase/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef TRASOLAN_DATA_FROM_PROGRAM
#define TRASOLAN_DATA_FROM_PROGRAM "../share/trasolan"
#endif

QStringList DataFolderCandidates(const QString& name) {
    QStringList folders;
    const QString chosen = qEnvironmentVariable("TRASOLAN_DATA_DIR");
    if (!chosen.isEmpty())
        folders << QDir(chosen).filePath(name);
    const QDir program(QCoreApplication::applicationDirPath());
    folders << program.filePath(name);
    folders << QDir::cleanPath(
        program.filePath(QStringLiteral(TRASOLAN_DATA_FROM_PROGRAM "/") + name));
    // A program started from elsewhere still finds an installed copy.
    const QStringList shared =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& folder : shared)
        folders << QDir(folder).filePath(QStringLiteral("trasolan/") + name);
    folders.removeDuplicates();
    return folders;
}

QString FindDataFolder(const QString& name) {
    const QStringList folders = DataFolderCandidates(name);
    for (const QString& folder : folders) {
        if (QFileInfo(folder).isDir())
            return folder;
    }
    return {};
}
