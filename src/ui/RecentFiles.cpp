#include "ui/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace recent {

namespace {

const QString kKey = QStringLiteral("RecentFiles");

// Named here rather than through the application's names, which would also
// move the program's data folder.
class TProgramSettings : public QSettings {
public:
    TProgramSettings() : QSettings(QStringLiteral("trasolan"), QStringLiteral("trasolan")) {}
};

void Store(const QStringList& files) {
    TProgramSettings().setValue(kKey, files);
}

} // namespace

QStringList Files() {
    QStringList files = TProgramSettings().value(kKey).toStringList();
    files.removeAll(QString());
    if (files.size() > kMaxRecentFiles)
        files.resize(kMaxRecentFiles);
    return files;
}

void Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(absolute);
    files.prepend(absolute);
    if (files.size() > kMaxRecentFiles)
        files.resize(kMaxRecentFiles);
    Store(files);
}

void Remove(const QString& path) {
    QStringList files = Files();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    Store(files);
}

void Clear() {
    Store({});
}

} // namespace recent
