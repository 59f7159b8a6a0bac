#pragma once
// Text inside the program is UTF-8. Map files are Windows-1251, unless they
// start with a UTF-8 byte-order mark; a file whose text Windows-1251 cannot
// represent is written as UTF-8 with the mark, so nothing is lost.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Windows-1251 bytes to UTF-8. Every byte has a meaning, except 0x98, which
// becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1251. Returns false (and leaves out unrepresentable
// characters) when some character has no Windows-1251 code.
bool Utf8ToCp1251(std::string_view utf8, std::string& out);

// Decodes file bytes: a leading UTF-8 mark means UTF-8 (mark removed; invalid
// sequences become U+FFFD), anything else is Windows-1251.
std::string DecodeFileText(std::string_view bytes);

// Encodes text for a file: Windows-1251 when every character fits, otherwise
// the UTF-8 mark followed by the text.
std::string EncodeFileText(std::string_view utf8);

// Number of characters (code points) of UTF-8 text.
size_t Utf8Length(std::string_view utf8);

// The first maxChars characters of UTF-8 text, never half a character.
std::string Utf8Left(std::string_view utf8, size_t maxChars);

// Replaces invalid UTF-8 sequences by U+FFFD.
std::string Utf8Sanitize(std::string_view text);

// Lower case for comparing keys and section names without regard to case:
// ASCII and Cyrillic letters (Ё included); other characters unchanged.
std::string Utf8FoldCase(std::string_view utf8);
