#pragma once
// The program's interface texts are written in the sources in Russian, as
// UTF-8 string literals; Text() turns one into the QString a control shows,
// in the interface language. Every text a window shows goes through here:
// this is the one place where a translation is looked up (Qt's translation
// system, one context for the whole program). tools/translations.py collects
// the texts from the sources into translations/trasolan_en.ts and lists any
// that have no English yet.
//
// Texts written into files (the map file, the profiler report) never go
// through Text(): they stay as they are whatever the language.

#include <QCoreApplication>
#include <QString>

#include <string>
#include <string_view>

// The translation context of every interface text.
inline constexpr char kTextContext[] = "Trasolan";

inline QString Text(const char* utf8) {
    return QCoreApplication::translate(kTextContext, utf8);
}

// A text kept in a constant of namespace scope, translated where it is used:
// such constants are made before the translation is installed.
struct TLaterText {
    const char* Utf8;
    operator QString() const { return Text(Utf8); }
};

// A label the Qt-free core hands over (a drop-down item, a column heading).
inline QString Text(std::string_view utf8) {
    return Text(std::string(utf8).c_str());
}

// A message the core composed from pieces and values (an error, a note): the
// message as a whole when it is known, else each of the core's known pieces
// in it, longest first. Unchanged when the interface is Russian.
QString MessageText(const QString& message);
