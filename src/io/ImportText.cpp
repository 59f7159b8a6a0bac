#include "io/ImportText.h"

#include "core/NumberText.h"
#include "core/TextEncoding.h"
#include "io/ImportError.h"

namespace {

constexpr size_t kQuotedCharacters = 40;

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string DecodeImportedText(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        throw EImportError("Файл записан в кодировке UTF-16; сохраните его в UTF-8 или "
                           "Windows-1251 (например, как «CSV UTF-8»).");
    }
    if (bytes.starts_with(kUtf8Bom))
        return Utf8Sanitize(bytes.substr(kUtf8Bom.size()));
    std::string text = Utf8Sanitize(bytes);
    if (text == bytes)
        return text;
    return Cp1251ToUtf8(bytes);
}

std::string_view TrimText(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string LinePrefix(int64_t line) {
    return "Строка " + std::to_string(line) + ": ";
}

std::string Quoted(std::string_view text) {
    std::string shown = Utf8Left(text, kQuotedCharacters);
    if (shown.size() < text.size())
        shown += "…";
    return "«" + shown + "»";
}

bool ParseImportedNumber(std::string_view text, double& value) {
    return TryStrToFloat(TrimText(text), value);
}

bool ParseImportedInteger(std::string_view text, int32_t& value) {
    return TryStrToInt(TrimText(text), value);
}
