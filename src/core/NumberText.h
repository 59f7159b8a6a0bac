#pragma once
// Number text as the program writes and reads it: the decimal separator is a
// comma, as in the map file and every window. Reading accepts a comma or a point.

#include <cstdint>
#include <string>
#include <string_view>

// Shortest text with at most 15 significant digits, trailing zeros and an
// unneeded separator left out: fixed notation for magnitudes from 0.00001 up to
// 15 integer digits, otherwise scientific ("1,5E20", "1E-6"). 310.5 -> "310,5".
std::string FloatToStr(double value);

// Decimal integer with an optional sign; raises EConvertError
// "'%s' is not a valid integer value" for anything else (overflow included).
int32_t StrToInt(std::string_view text);

// Number text with an optional sign, fraction and exponent, surrounding spaces
// allowed, comma or point as separator. Raises EConvertError
// "'%s' is not a valid floating point value"; infinities and NaN are refused.
double StrToFloat(std::string_view text);

// Any number text (zero is false) or True/False in any letter case. Raises
// EConvertError "'%s' is not a valid boolean value".
bool StrToBool(std::string_view text);

// The same readings without the exception: false leaves `value` unchanged.
bool TryStrToInt(std::string_view text, int32_t& value);
bool TryStrToFloat(std::string_view text, double& value);

// "-1" for true, "0" for false.
std::string BoolToStr(bool value);
