#pragma once
// Text helpers shared by the readers of imported files: decoding the bytes,
// cutting lines and fields, and the parts of their error messages.

#include <cstdint>
#include <string>
#include <string_view>

// Coordinates beyond this magnitude are not positions anyone measured; the
// bound keeps every later computation finite.
inline constexpr double kMaxImportedCoordinate = 1e15;

// File bytes to UTF-8 text. A UTF-8 byte-order mark is dropped; text that is
// valid UTF-8 is taken as it is; anything else is read as Windows-1251, the
// encoding spreadsheets on Russian Windows save in. UTF-16 (a file saved as
// "Unicode text") is refused with EImportError.
std::string DecodeImportedText(std::string_view bytes);

// Without leading and trailing spaces, tabs and other control characters.
std::string_view TrimText(std::string_view text);

// "Строка 12: " — the start of every message about one line of a file.
std::string LinePrefix(int64_t line);

// The text as a message quotes what it found: «abc», shortened to 40
// characters with an ellipsis; «» for nothing.
std::string Quoted(std::string_view text);

// A number with a point or a comma as the decimal mark, optional sign and
// exponent, surrounding blanks allowed; false for anything else (infinities
// and NaN included).
bool ParseImportedNumber(std::string_view text, double& value);
// A whole decimal number with an optional sign that fits in 32 bits.
bool ParseImportedInteger(std::string_view text, int32_t& value);
