// Feeds arbitrary text to the INI store: loading, reading every key in every
// typed way, writing and deleting, and saving. Only conversion errors may
// escape a read; a saved store must load back to the same text.

#include "core/FastIniFiles.h"
#include "core/NumberText.h"
#include "core/TSPErrors.h"
#include "core/TextEncoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "fuzz_ini_store: %s\n", what);
    std::abort();
}

// Keep a huge input from turning into millions of look-ups per run.
constexpr size_t kMaxSections = 64;
constexpr size_t kMaxLinesPerSection = 64;

void ReadEveryWay(const TFastIniFiles& store, const std::string& section, const std::string& key) {
    // A present value comes back whatever the default; a missing one gives
    // the default (two different ones, as any text may be a stored value).
    const bool present = store.ReadString(section, key, "a") == store.ReadString(section, key, "b");
    if (store.ValueExists(section, key) != present)
        Fail("ValueExists disagrees with ReadString");
    try {
        store.ReadInteger(section, key, -1);
    } catch (const EConvertError&) {
    }
    try {
        const double number = store.ReadFloat(section, key, -1);
        // Whatever reads as a number must write as text that reads back the same.
        const std::string text = FloatToStr(number);
        if (FloatToStr(StrToFloat(text)) != text)
            Fail("number text does not read back");
    } catch (const EConvertError&) {
    }
    try {
        store.ReadBool(section, key, false);
    } catch (const EConvertError&) {
    }
}

void CheckEncoding(std::string_view bytes) {
    const std::string text = DecodeFileText(bytes);
    if (Utf8Sanitize(text) != text)
        Fail("decoded file text is not valid UTF-8");
    if (DecodeFileText(EncodeFileText(text)) != text)
        Fail("encoded file text does not decode back");
    if (Utf8FoldCase(text).size() != text.size())
        Fail("case folding changed the length");
    const size_t length = Utf8Length(text);
    if (Utf8Length(Utf8Left(text, length / 2)) != length / 2)
        Fail("Utf8Left cut the wrong number of characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckEncoding(bytes);

    TFastIniFiles store;
    store.LoadFromText(bytes);

    // A loaded store saves to text that loads back to the same store.
    const std::string saved = store.SaveToText();
    TFastIniFiles again;
    again.LoadFromText(saved);
    if (again.SaveToText() != saved)
        Fail("saved text does not load back to the same store");

    const std::vector<std::string> sections = store.Sections();
    for (size_t s = 0; s < sections.size() && s < kMaxSections; ++s) {
        const std::vector<std::string> lines = store.SectionLines(sections[s]);
        for (size_t l = 0; l < lines.size() && l < kMaxLinesPerSection; ++l) {
            const size_t equals = lines[l].find('=');
            ReadEveryWay(store, sections[s], lines[l].substr(0, equals));
        }
    }

    // Writes: a value written under a key without "=" reads back as written
    // (line breaks stored as spaces); an empty write removes the first line.
    for (size_t s = 0; s < sections.size() && s < kMaxSections; ++s) {
        const std::vector<std::string> lines = store.SectionLines(sections[s]);
        if (lines.empty())
            continue;
        const std::string& line = lines.front();
        const size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals == std::string::npos ? 0 : equals + 1) + "!";
        store.WriteString(sections[s], key, value);
        if (key.find('=') == std::string::npos && store.ReadString(sections[s], key, "") != value)
            Fail("a written value does not read back");
        const size_t before = store.SectionLines(sections[s]).size();
        store.WriteString(sections[s], key, "");
        if (store.SectionLines(sections[s]).size() + 1 != before)
            Fail("an empty write did not remove exactly one line");
    }
    store.WriteString("Fuzz\r\n[x]", "Key\n", "Value\r");
    store.WriteFloat("Fuzz\r\n[x]", "F", 1.5);
    TFastIniFiles written;
    written.LoadFromText(store.SaveToText());
    if (written.SaveToText() != store.SaveToText())
        Fail("written store does not load back to the same text");
    return 0;
}
