#include "guibase/Seams.h"

#include "guibase/ModalWindows.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace seams {

namespace {

// "Файлы (*.ga)|*.ga|Все|*.*" -> "Файлы (*.ga);;Все (*)": Qt reads the pattern
// from the parentheses of each entry, so the pattern replaces whatever list
// the description carries. "*.*" means every file, as on Windows.
QString ToQtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString pattern = parts[i + 1].trimmed();
        pattern.replace(u';', u' ');
        if (pattern == u"*.*")
            pattern = QStringLiteral("*");
        const qsizetype open = description.lastIndexOf(u'(');
        if (open > 0 && description.endsWith(u')'))
            description = description.left(open).trimmed();
        entries << description + QStringLiteral(" (") + pattern + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

QString DefaultOpen(QWidget* parent, const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(ToQtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString DefaultSave(QWidget* parent, const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The map is written over an existing file without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(ToQtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString Title() {
    return QStringLiteral("Трасолан");
}

void DefaultInformation(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, Title(), text, QMessageBox::Ok, parent);
    ExecModal(box);
}

void DefaultError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, parent);
    ExecModal(box);
}

bool DefaultAsk(QWidget* parent, const QString& title, const QString& text) {
    // An information box with OK and Cancel, not a question box.
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return ExecModal(box) == QMessageBox::Ok;
}

void DefaultBeep() {
    QApplication::beep();
}

void DefaultOpenUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace

FileDialogFunction GetOpenFileName = DefaultOpen;
FileDialogFunction GetSaveFileName = DefaultSave;
MessageFunction ShowInformation = DefaultInformation;
MessageFunction ShowError = DefaultError;
QuestionFunction AskOkCancel = DefaultAsk;
std::function<void()> Beep = DefaultBeep;
std::function<void(const QUrl& url)> OpenUrl = DefaultOpenUrl;

void RestoreDefaults() {
    GetOpenFileName = DefaultOpen;
    GetSaveFileName = DefaultSave;
    ShowInformation = DefaultInformation;
    ShowError = DefaultError;
    AskOkCancel = DefaultAsk;
    Beep = DefaultBeep;
    OpenUrl = DefaultOpenUrl;
}

} // namespace seams
