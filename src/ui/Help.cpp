#include "ui/Help.h"

#include "guibase/Seams.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

void OpenHelp(const QString& anchor) {
    QUrl url = QUrl::fromLocalFile(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/index.html")));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    seams::OpenUrl(url);
}
