#include "ui/TrasolanApplication.h"

#include "guibase/Language.h"
#include "guibase/Seams.h"
#include "guibase/Text.h"

#include <QIcon>
#include <QLocale>
#include <QWidget>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("trasolan"));
    // No display name: Qt would append it to every window's caption.
    // Numbers in the charts and fields read the Russian way (decimal comma),
    // whatever the system's language, like every text of the program.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // Russian until told otherwise, Qt's own texts (file dialogs, message
    // box buttons) included.
    SetInterfaceLanguage(TLanguage::Russian);
    setApplicationVersion(QStringLiteral(TRASOLAN_VERSION));
    // The desktop finds the program's entry and icon by this name.
    setDesktopFileName(QStringLiteral(TRASOLAN_APP_ID));
    setWindowIcon(QIcon(QStringLiteral(":/extras/logo.svg")));
    // Windows of this program are laid out in pixels for an 8-point "MS Sans
    // Serif"; where that face is missing, the narrow sans serif faces of the
    // same width stand in for it before any wider default.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    setFont(font);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowUnknownException();
    }
    return false;
}

namespace {

QWidget* MessageParent() {
    return QApplication::activeWindow();
}

} // namespace

void ShowException(const std::exception& error) {
    seams::ShowError(MessageParent(), MessageText(QString::fromUtf8(error.what())));
}

void ShowUnknownException() {
    seams::ShowError(MessageParent(), Text("Неизвестная ошибка"));
}

bool RunGuarded(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        ShowException(error);
    } catch (...) {
        ShowUnknownException();
    }
    return false;
}
