#include "core/NumberText.h"

#include "core/TSPErrors.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

// Both directions use <charconv>: it ignores the C locale, which the GUI
// library sets from the user's environment, and it rounds correctly, so a
// number written with 15 significant digits reads back as the same double.

namespace {

constexpr int kSignificantDigits = 15;
constexpr char kDecimalSeparator = ',';

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string FloatToStr(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0) // negative zero included: "-0" would only puzzle a reader
        return "0";

    // "d.dddddddddddddde+XX": the value rounded to 15 significant digits.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<size_t>(written.ptr - buffer));
    const size_t ePos = text.find('e');
    const bool negative = text.front() == '-';
    std::string digits;
    for (char c : text.substr(0, ePos))
        if (IsDigit(c))
            digits += c;
    int exponent = std::atoi(std::string(text.substr(ePos + 1)).c_str());
    // The largest doubles round up to 1.79769313486232e308, which is beyond
    // the largest double and would be refused on reading; they are written
    // rounded down instead, so that every written number reads back.
    constexpr std::string_view kLargestReadable = "179769313486231";
    if (exponent == 308 && digits > kLargestReadable)
        digits = kLargestReadable;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    const bool fixed = exponent >= -5 && exponent < kSignificantDigits;
    if (fixed && exponent >= 0) {
        const size_t integerDigits = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out += digits;
            out.append(integerDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, integerDigits);
            out += kDecimalSeparator;
            out += digits.substr(integerDigits);
        }
    } else if (fixed) {
        out += '0';
        out += kDecimalSeparator;
        out.append(static_cast<size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += kDecimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    return out;
}

bool TryStrToInt(std::string_view text, int32_t& value) {
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    if (at == text.size())
        return false;
    // The magnitude may reach 2^31 for the most negative value.
    constexpr int64_t kLimit = int64_t{1} << 31;
    int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        if (!IsDigit(text[at]))
            return false;
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > kLimit)
            return false;
    }
    if (!negative && magnitude == kLimit)
        return false;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

int32_t StrToInt(std::string_view text) {
    int32_t value;
    if (!TryStrToInt(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

namespace {

// A decimal number as written: sign? digits* (separator digits*)?
// (e sign? digits+)?, with at least one mantissa digit.
struct TNumberParts {
    bool Negative = false;
    std::string_view IntegerDigits;
    std::string_view FractionDigits;
    bool NegativeExponent = false;
    std::string_view ExponentDigits;
};

std::string_view TrimSpaces(std::string_view text) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    return text.substr(first, last - first);
}

// The digits from `at` on; `at` moves past them.
std::string_view TakeDigits(std::string_view body, size_t& at) {
    const size_t start = at;
    while (at < body.size() && IsDigit(body[at]))
        ++at;
    return body.substr(start, at - start);
}

// True when `at` stands on a sign; `negative` tells which, `at` moves past it.
bool TakeSign(std::string_view body, size_t& at, bool& negative) {
    if (at >= body.size() || (body[at] != '+' && body[at] != '-'))
        return false;
    negative = body[at++] == '-';
    return true;
}

// Checked here because from_chars would also take "inf", "nan" and
// hexadecimal forms.
bool SplitNumber(std::string_view body, TNumberParts& parts) {
    size_t at = 0;
    TakeSign(body, at, parts.Negative);
    parts.IntegerDigits = TakeDigits(body, at);
    if (at < body.size() && (body[at] == ',' || body[at] == '.')) {
        ++at;
        parts.FractionDigits = TakeDigits(body, at);
    }
    if (parts.IntegerDigits.empty() && parts.FractionDigits.empty())
        return false;
    if (at < body.size() && (body[at] == 'e' || body[at] == 'E')) {
        ++at;
        TakeSign(body, at, parts.NegativeExponent);
        parts.ExponentDigits = TakeDigits(body, at);
        if (parts.ExponentDigits.empty())
            return false;
    }
    return at == body.size();
}

// The number in the form from_chars reads: a point, no plus signs.
std::string NormalForm(const TNumberParts& parts) {
    std::string normal;
    if (parts.Negative)
        normal += '-';
    normal += parts.IntegerDigits.empty() ? std::string_view("0") : parts.IntegerDigits;
    if (!parts.FractionDigits.empty()) {
        normal += '.';
        normal += parts.FractionDigits;
    }
    if (!parts.ExponentDigits.empty()) {
        normal += parts.NegativeExponent ? "e-" : "e";
        normal += parts.ExponentDigits;
    }
    return normal;
}

// Out of range is either too small (read as zero) or too large (refused).
// The written exponent alone cannot tell them apart ("0.000001e-302" vs
// "1000000e302"), the decimal place of the first non-zero digit can.
bool IsTooSmall(const TNumberParts& parts) {
    const std::string mantissa =
        std::string(parts.IntegerDigits) + std::string(parts.FractionDigits);
    const size_t firstNonZero = mantissa.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return false;
    long long magnitude = static_cast<long long>(parts.IntegerDigits.size()) -
                          static_cast<long long>(firstNonZero) - 1;
    long long exponent = 0;
    for (char c : parts.ExponentDigits)
        if (exponent < 1'000'000'000)
            exponent = exponent * 10 + (c - '0');
    magnitude += parts.NegativeExponent ? -exponent : exponent;
    return magnitude < 0;
}

} // namespace

bool TryStrToFloat(std::string_view text, double& value) {
    TNumberParts parts;
    if (!SplitNumber(TrimSpaces(text), parts))
        return false;
    const std::string normal = NormalForm(parts);
    double parsed = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), parsed,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (!IsTooSmall(parts))
            return false;
        parsed = parts.Negative ? -0.0 : 0.0;
    } else if (result.ec != std::errc() || result.ptr != normal.data() + normal.size() ||
               !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

double StrToFloat(std::string_view text) {
    double value;
    if (!TryStrToFloat(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

bool StrToBool(std::string_view text) {
    double number;
    if (TryStrToFloat(text, number))
        return number != 0;
    auto sameLetters = [&](std::string_view word) {
        if (text.size() != word.size())
            return false;
        for (size_t i = 0; i < word.size(); ++i) {
            char c = text[i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i])
                return false;
        }
        return true;
    };
    if (sameLetters("true"))
        return true;
    if (sameLetters("false"))
        return false;
    throw EConvertError("'" + std::string(text) + "' is not a valid boolean value");
}

std::string BoolToStr(bool value) {
    return value ? "-1" : "0";
}
