#include "guibase/Language.h"

#include "guibase/MessagePieces.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

TLanguage g_language = TLanguage::Russian;
std::unique_ptr<QTranslator> g_programTexts;
std::unique_ptr<QTranslator> g_qtTexts;

void RemoveTranslators() {
    for (auto* translator : {&g_programTexts, &g_qtTexts}) {
        if (*translator)
            QCoreApplication::removeTranslator(translator->get());
        translator->reset();
    }
}

// Qt's own texts come with Qt (qt6-translations-l10n); without them Qt
// speaks English, which is no reason to refuse the language.
void InstallQtTexts(const QLocale& locale) {
    auto texts = std::make_unique<QTranslator>();
    if (texts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(texts.get());
        g_qtTexts = std::move(texts);
    }
}

// The core's message pieces, one a line, with \r, \n and \t for the
// control characters inside.
QStringList LoadMessagePieces() {
    QFile file(QStringLiteral(":/translations/message-pieces.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList pieces;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (QString line : lines) {
        line.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
        line.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        line.replace(QStringLiteral("\\t"), QStringLiteral("\t"));
        pieces << line;
    }
    return pieces;
}

} // namespace

std::optional<TLanguage> ParseLanguage(const QString& code) {
    const QString lower = code.trimmed().toLower();
    if (lower == u"ru")
        return TLanguage::Russian;
    if (lower == u"en")
        return TLanguage::English;
    return std::nullopt;
}

TLanguage SystemLanguage() {
    return QLocale::system().language() == QLocale::Russian ? TLanguage::Russian
                                                            : TLanguage::English;
}

bool SetInterfaceLanguage(TLanguage language) {
    RemoveTranslators();
    SetMessagePieces({});
    g_language = TLanguage::Russian;
    if (language == TLanguage::Russian) {
        InstallQtTexts(QLocale(QLocale::Russian, QLocale::Russia));
        return true;
    }
    auto texts = std::make_unique<QTranslator>();
    if (!texts->load(QStringLiteral(":/translations/trasolan_en.qm"))) {
        InstallQtTexts(QLocale(QLocale::Russian, QLocale::Russia));
        return false;
    }
    QCoreApplication::installTranslator(texts.get());
    g_programTexts = std::move(texts);
    SetMessagePieces(LoadMessagePieces());
    g_language = language;
    return true;
}

TLanguage InterfaceLanguage() {
    return g_language;
}
