#include "guibase/Text.h"

#include "guibase/MessagePieces.h"

#include <QByteArray>

#include <algorithm>

namespace {

QStringList g_pieces; // longest first

QString Translated(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Text(utf8.constData());
}

// Replaces the piece where it stands as whole words: "город" is not
// translated inside "городов".
QString ReplacePiece(const QString& text, const QString& piece, const QString& translation) {
    const auto letterAt = [&text](qsizetype i) {
        return i >= 0 && i < text.size() && text[i].isLetter();
    };
    const bool wordStart = piece.front().isLetter();
    const bool wordEnd = piece.back().isLetter();
    QString result;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(piece); at >= 0; at = text.indexOf(piece, at + 1)) {
        if (at < from || (wordStart && letterAt(at - 1)) ||
            (wordEnd && letterAt(at + piece.size())))
            continue;
        result += QStringView(text).mid(from, at - from);
        result += translation;
        from = at + piece.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

} // namespace

void SetMessagePieces(QStringList pieces) {
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    g_pieces = std::move(pieces);
}

QString MessageText(const QString& message) {
    if (g_pieces.isEmpty())
        return message;
    // Known lines first (a message may be one of the interface's own texts,
    // or a known line with others added below it), then the core's pieces
    // in whatever is left in Russian.
    QStringList lines = message.split(u'\n');
    for (QString& line : lines)
        line = Translated(line);
    QString text = lines.join(u'\n');
    for (const QString& piece : g_pieces) {
        if (text.contains(piece))
            text = ReplacePiece(text, piece, Translated(piece));
    }
    return text;
}
