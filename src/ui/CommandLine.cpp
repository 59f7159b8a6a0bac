#include "ui/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Refuse(const QString& message) {
    std::fprintf(stderr, "trasolan: %s\nTry 'trasolan --help'.\n", qPrintable(message));
    std::exit(2);
}

} // namespace

void AnswerHelpAndVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-h" || argument == "--help" || argument == "--help-all" ||
            argument == "-v" || argument == "--version") {
            QCoreApplication application(argc, argv);
            QCoreApplication::setApplicationName(QStringLiteral("trasolan"));
            QCoreApplication::setApplicationVersion(QStringLiteral(TRASOLAN_VERSION));
            ParseCommandLine(QCoreApplication::arguments());
            std::exit(0);
        }
    }
}

TCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws and edits road maps and finds a short route through their selected cities\n"
        "with a genetic algorithm. trasolan-cli does the same without a window."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption language(
        QStringLiteral("lang"),
        QStringLiteral("Interface language: ru (Russian) or en (English). Default: Russian on a "
                       "Russian system, English on any other."),
        QStringLiteral("ru|en"));
    parser.addOption(language);
    parser.addPositionalArgument(QStringLiteral("MAP.ga"),
                                 QStringLiteral("A map to open (optional)."),
                                 QStringLiteral("[MAP.ga]"));
    parser.process(arguments);

    TCommandLine line;
    line.Language = SystemLanguage();
    if (parser.isSet(language)) {
        const auto chosen = ParseLanguage(parser.value(language));
        if (!chosen)
            Refuse(QStringLiteral("unknown language '%1' (ru or en)").arg(parser.value(language)));
        line.Language = *chosen;
    }
    const QStringList maps = parser.positionalArguments();
    if (maps.size() > 1)
        Refuse(QStringLiteral("one map at a time, not %1").arg(maps.size()));
    if (!maps.isEmpty())
        line.MapFile = maps.first();
    return line;
}
