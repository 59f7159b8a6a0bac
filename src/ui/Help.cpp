#include "ui/Help.h"

#include "guibase/DataFolders.h"
#include "guibase/Language.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"
#include "ui/HelpWindow.h"
#include "ui/untMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

namespace {

QPointer<THelpWindow> g_window;

// The main window owns the help window, so it goes when the program ends. A
// modal window in front (the learning window's link) would block it and
// cover it, staying on top: then the help window is modal and on top as
// well, until it is closed.
void ShowInHelpWindow(const QUrl& page) {
    if (!g_window)
        g_window = new THelpWindow(frmMain);
    const QWidget* modal = QApplication::activeModalWidget();
    const bool aboveModal = modal && modal != g_window;
    const Qt::WindowModality modality = aboveModal ? Qt::ApplicationModal : Qt::NonModal;
    if (g_window->windowModality() != modality) {
        // Window flags change only while the window is hidden.
        g_window->hide();
        g_window->setWindowModality(modality);
        g_window->setWindowFlag(Qt::WindowStaysOnTopHint, aboveModal);
    }
    g_window->ShowPage(page);
}

} // namespace

QString HelpPagePath() {
    const QString folder = FindDataFolder(QStringLiteral("help"));
    if (folder.isEmpty())
        return {};
    const QDir help(folder);
    if (InterfaceLanguage() == TLanguage::English &&
        QFileInfo::exists(help.filePath(QStringLiteral("en/index.html"))))
        return help.filePath(QStringLiteral("en/index.html"));
    if (QFileInfo::exists(help.filePath(QStringLiteral("index.html"))))
        return help.filePath(QStringLiteral("index.html"));
    return {};
}

void OpenHelp(const QString& anchor) {
    const QString path = HelpPagePath();
    if (path.isEmpty()) {
        seams::ShowError(QApplication::activeWindow(),
                         Text("Справка не найдена. Её страницы ищутся в папках:\n%1")
                             .arg(DataFolderCandidates(QStringLiteral("help")).join(u'\n')));
        return;
    }
    QUrl page = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        page.setFragment(anchor);
    seams::OpenUrl(page, [page] { ShowInHelpWindow(page); });
}

THelpWindow* HelpWindow() {
    return g_window;
}
