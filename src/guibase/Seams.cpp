#include "guibase/Seams.h"

#include "guibase/DesktopOpen.h"
#include "guibase/ModalWindows.h"
#include "guibase/Text.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

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

QHash<QString, QString> g_firstFolders;
QHash<QString, QString> g_lastFolders;

// A save dialog does not start where nothing can be written (the sample maps
// of an installed program).
QString StartFolder(const QString& suffix, bool saving) {
    const QString last = g_lastFolders.value(suffix);
    if (!last.isEmpty())
        return last;
    const QString first = g_firstFolders.value(suffix);
    return saving && !QFileInfo(first).isWritable() ? QString() : first;
}

QString Chosen(const QFileDialog& dialog, const QString& suffix) {
    const QString path = dialog.selectedFiles().constFirst();
    g_lastFolders.insert(suffix, QFileInfo(path).absolutePath());
    return path;
}

QString DefaultOpen(QWidget* parent, const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), StartFolder(defaultSuffix, false));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(ToQtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return Chosen(dialog, defaultSuffix);
}

QString DefaultSave(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                    const QString& suggestedPath) {
    QFileDialog dialog(parent, QString(), StartFolder(defaultSuffix, true));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(ToQtFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (!suggestedPath.isEmpty())
        dialog.selectFile(suggestedPath);
    if (ExecModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return Chosen(dialog, defaultSuffix);
}

QString Title() {
    return Text("Трасолан");
}

// A message's text can be selected and copied (a path, an address).
constexpr Qt::TextInteractionFlags kSelectable =
    Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;

void DefaultInformation(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, Title(), text, QMessageBox::Ok, parent);
    box.setTextInteractionFlags(kSelectable);
    ExecModal(box);
}

void DefaultError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, Title(), text, QMessageBox::Ok, parent);
    box.setTextInteractionFlags(kSelectable);
    ExecModal(box);
}

bool DefaultAsk(QWidget* parent, const QString& title, const QString& text) {
    // An information box with OK and Cancel, not a question box.
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return ExecModal(box) == QMessageBox::Ok;
}

TSaveChangesAnswer DefaultSaveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, Title(), text, QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(Text("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(Text("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(Text("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    ExecModal(box);
    if (box.clickedButton() == save)
        return TSaveChangesAnswer::Save;
    if (box.clickedButton() == discard)
        return TSaveChangesAnswer::Discard;
    return TSaveChangesAnswer::Cancel;
}

void DefaultBeep() {
    QApplication::beep();
}

void DefaultOpenUrl(const QUrl& url, const TUrlOpener::NotOpened& notOpened) {
    OpenWithDesktop(url, notOpened);
}

TUrlOpener MakeDefaultOpener() {
    TUrlOpener opener;
    opener = DefaultOpenUrl;
    return opener;
}

} // namespace

void SetFirstFolder(const QString& defaultSuffix, const QString& folder) {
    g_firstFolders.insert(defaultSuffix, folder);
}

FileDialogFunction GetOpenFileName = DefaultOpen;
SaveDialogFunction GetSaveFileName = DefaultSave;
MessageFunction ShowInformation = DefaultInformation;
MessageFunction ShowError = DefaultError;
QuestionFunction AskOkCancel = DefaultAsk;
SaveChangesFunction AskSaveChanges = DefaultSaveChanges;
std::function<void()> Beep = DefaultBeep;
TUrlOpener OpenUrl = MakeDefaultOpener();

void RestoreDefaults() {
    GetOpenFileName = DefaultOpen;
    GetSaveFileName = DefaultSave;
    ShowInformation = DefaultInformation;
    ShowError = DefaultError;
    AskOkCancel = DefaultAsk;
    AskSaveChanges = DefaultSaveChanges;
    Beep = DefaultBeep;
    OpenUrl = DefaultOpenUrl;
}

} // namespace seams
