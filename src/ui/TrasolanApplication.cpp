#include "ui/TrasolanApplication.h"

#include "guibase/Seams.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("trasolan"));
    // No display name: Qt would append it to every window's caption.
    // Numbers in the charts and fields read the Russian way (decimal comma),
    // whatever the system's language, like every text of the program.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // Qt's own texts (file dialogs, message box buttons) in Russian too.
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    else
        delete qtTexts;
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
    seams::ShowError(MessageParent(), QString::fromUtf8(error.what()));
}

void ShowUnknownException() {
    seams::ShowError(MessageParent(), QStringLiteral("Неизвестная ошибка"));
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
