#include "core/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kInvalid = 0xFFFFFFFF;

// One step of UTF-8 decoding. Returns the number of bytes taken; `codePoint`
// is kInvalid for a malformed sequence, whose length is then its "maximal
// subpart" (Unicode 3.9), so that one bad byte costs one U+FFFD and the
// decoder resynchronises on the next possible lead byte.
size_t DecodeStep(std::string_view text, size_t at, char32_t& codePoint) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        else if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90; // overlong
        else if (lead == 0xF4)
            high = 0x8F; // beyond U+10FFFF
    } else {
        codePoint = kInvalid;
        return 1;
    }
    for (size_t k = 1; k < length; ++k) {
        const size_t i = at + k;
        const unsigned char lo = k == 1 ? low : 0x80;
        const unsigned char hi = k == 1 ? high : 0xBF;
        if (i >= text.size() || byte(i) < lo || byte(i) > hi) {
            codePoint = kInvalid;
            return k;
        }
        value = (value << 6) | (byte(i) & 0x3F);
    }
    codePoint = value;
    return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1251 is a fixed single-byte code, so the system's converter is asked
// once per byte value and the answers are kept in two tables; conversions of
// whole files then cost one look-up per character.
struct Cp1251Tables {
    std::array<std::string, 256> toUtf8;                         // byte -> UTF-8 text
    std::vector<std::pair<char32_t, unsigned char>> fromUnicode; // sorted by code point

    Cp1251Tables() {
        iconv_t converter = iconv_open("UTF-8", "CP1251");
        if (converter == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("The Windows-1251 converter (iconv CP1251) is not available");
        for (int value = 0; value < 256; ++value) {
            char input = static_cast<char>(value);
            char output[8];
            char* in = &input;
            char* out = output;
            size_t inLeft = 1, outLeft = sizeof output;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            char32_t cp = kInvalid;
            if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1)) {
                const std::string_view produced(output, sizeof output - outLeft);
                if (!produced.empty() && DecodeStep(produced, 0, cp) != produced.size())
                    cp = kInvalid;
            }
            // The one byte without a character (0x98) reads as the replacement
            // character; it has no way back.
            if (cp == kInvalid) {
                AppendUtf8(toUtf8[value], kReplacement);
                continue;
            }
            AppendUtf8(toUtf8[value], cp);
            fromUnicode.emplace_back(cp, static_cast<unsigned char>(value));
        }
        iconv_close(converter);
        std::sort(fromUnicode.begin(), fromUnicode.end());
    }

    bool Encode(char32_t cp, char& out) const {
        auto found = std::lower_bound(fromUnicode.begin(), fromUnicode.end(),
                                      std::make_pair(cp, static_cast<unsigned char>(0)));
        if (found == fromUnicode.end() || found->first != cp)
            return false;
        out = static_cast<char>(found->second);
        return true;
    }
};

const Cp1251Tables& Tables() {
    static const Cp1251Tables tables;
    return tables;
}

// Length of the run of ASCII bytes starting at `at`: they are the same in
// both codes and are copied in one go.
size_t AsciiRun(std::string_view text, size_t at) {
    size_t end = at;
    while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80)
        ++end;
    return end - at;
}

} // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
    const auto& table = Tables().toUtf8;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (size_t at = 0; at < bytes.size();) {
        const size_t run = AsciiRun(bytes, at);
        out.append(bytes.substr(at, run));
        at += run;
        if (at < bytes.size())
            out += table[static_cast<unsigned char>(bytes[at++])];
    }
    return out;
}

bool Utf8ToCp1251(std::string_view utf8, std::string& out) {
    const Cp1251Tables& tables = Tables();
    out.clear();
    out.reserve(utf8.size());
    bool complete = true;
    for (size_t at = 0; at < utf8.size();) {
        const size_t run = AsciiRun(utf8, at);
        if (run > 0) {
            out.append(utf8.substr(at, run));
            at += run;
            continue;
        }
        char32_t cp;
        at += DecodeStep(utf8, at, cp);
        char encoded;
        if (cp != kInvalid && tables.Encode(cp, encoded))
            out += encoded;
        else
            complete = false;
    }
    return complete;
}

std::string DecodeFileText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        return Utf8Sanitize(bytes.substr(kUtf8Bom.size()));
    return Cp1251ToUtf8(bytes);
}

std::string EncodeFileText(std::string_view utf8) {
    std::string single;
    // Windows-1251 text that happens to begin with the bytes of the mark would
    // be read back as UTF-8, so such text goes out as UTF-8 as well.
    if (Utf8ToCp1251(utf8, single) && !std::string_view(single).starts_with(kUtf8Bom))
        return single;
    std::string out(kUtf8Bom);
    out += Utf8Sanitize(utf8);
    return out;
}

size_t Utf8Length(std::string_view utf8) {
    size_t count = 0;
    char32_t cp;
    for (size_t at = 0; at < utf8.size(); at += DecodeStep(utf8, at, cp))
        ++count;
    return count;
}

std::string Utf8Left(std::string_view utf8, size_t maxChars) {
    size_t at = 0;
    char32_t cp;
    for (size_t taken = 0; taken < maxChars && at < utf8.size(); ++taken)
        at += DecodeStep(utf8, at, cp);
    return std::string(utf8.substr(0, at));
}

std::string Utf8Sanitize(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        char32_t cp;
        const size_t length = DecodeStep(text, at, cp);
        if (cp == kInvalid)
            AppendUtf8(out, kReplacement);
        else
            out.append(text.substr(at, length));
        at += length;
    }
    return out;
}

std::string Utf8FoldCase(std::string_view utf8) {
    // Every folded letter keeps its byte length (А..Я and Ѐ..Џ are two bytes,
    // and so are а..я and ѐ..џ), so the text is changed in place.
    std::string out(utf8);
    for (size_t at = 0; at < out.size(); ++at) {
        const auto lead = static_cast<unsigned char>(out[at]);
        if (lead >= 'A' && lead <= 'Z') {
            out[at] = static_cast<char>(lead + ('a' - 'A'));
            continue;
        }
        if (lead != 0xD0 || at + 1 >= out.size())
            continue;
        const auto next = static_cast<unsigned char>(out[at + 1]);
        if (next >= 0x80 && next <= 0x8F) { // U+0400..U+040F -> U+0450..U+045F
            out[at] = static_cast<char>(0xD1);
            out[at + 1] = static_cast<char>(next + 0x10);
        } else if (next >= 0x90 && next <= 0x9F) { // А..П -> а..п
            out[at + 1] = static_cast<char>(next + 0x20);
        } else if (next >= 0xA0 && next <= 0xAF) { // Р..Я -> р..я
            out[at] = static_cast<char>(0xD1);
            out[at + 1] = static_cast<char>(next - 0x20);
        }
        if (next >= 0x80 && next <= 0xBF)
            ++at; // the continuation byte needs no look of its own
    }
    return out;
}
