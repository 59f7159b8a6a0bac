#pragma once
// The interface language. Russian is the language of the sources and the
// default; English comes from the translation compiled into the program.
// The decimal comma stays in either language, like the map file's numbers.

#include <QString>

#include <optional>

enum class TLanguage { Russian, English };

// "ru" or "en" (any letter case), as given after --lang; nothing otherwise.
std::optional<TLanguage> ParseLanguage(const QString& code);

// Russian on a Russian system, English on any other (the C locale included).
TLanguage SystemLanguage();

// Puts the program's texts and Qt's own (dialog buttons, file dialogs) into
// the language; false when its translation cannot be loaded, which leaves the
// interface Russian.
bool SetInterfaceLanguage(TLanguage language);
TLanguage InterfaceLanguage();
