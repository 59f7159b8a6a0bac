#include "core/FastIniFiles.h"

#include "core/NumberText.h"
#include "core/TSPErrors.h"
#include "core/TextEncoding.h"

#include <cstdio>
#include <memory>

namespace {

// Spaces and control characters only: such a line carries nothing.
bool IsBlankLine(std::string_view line) {
    for (char c : line) {
        const auto value = static_cast<unsigned char>(c);
        if (value > ' ' && value != 0x7F)
            return false;
    }
    return true;
}

bool IsHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// A key=value line splits at its first "="; a line without one has no key.
bool SplitLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = line.substr(0, equals);
    value = line.substr(equals + 1);
    return true;
}

// A line break inside a written name, key or value would cut its line in two
// and could open a section of its own on the next load; it is stored as a
// space instead.
std::string WithoutLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

void TFastIniFiles::LoadFromFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw EFileError("Cannot open file " + path);
    std::string bytes;
    char buffer[1 << 16];
    size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, read);
    // A folder opens but cannot be read; neither can a failing disk.
    if (std::ferror(file.get()))
        throw EFileError("Cannot open file " + path);
    LoadFromText(bytes);
}

void TFastIniFiles::SaveToFile(const std::string& path) const {
    const std::string text = SaveToText();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw EFileError("Cannot create file " + path);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    // The data may only reach the disk at close; a failure there is a failed save too.
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        throw EFileError("Cannot create file " + path);
}

void TFastIniFiles::LoadFromText(std::string_view text) {
    // Built aside and swapped in, so the store is either the new text or unchanged.
    std::vector<Section> sections;
    std::unordered_map<std::string, size_t> firstSectionOfName;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(at, end - at);
        // CR, LF and CR LF each end a line.
        at = end;
        if (at < text.size())
            at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;

        if (IsBlankLine(line))
            continue;
        if (IsHeader(line)) {
            Section section;
            section.name = std::string(line.substr(1, line.size() - 2));
            firstSectionOfName.emplace(Utf8FoldCase(section.name), sections.size());
            sections.push_back(std::move(section));
            continue;
        }
        // Lines above the first header belong to no section and are dropped.
        if (sections.empty())
            continue;
        Section& current = sections.back();
        current.lines.emplace_back(line);
        IndexLine(current, current.lines.size() - 1);
    }
    sections_ = std::move(sections);
    firstSectionOfName_ = std::move(firstSectionOfName);
}

std::string TFastIniFiles::SaveToText() const {
    size_t size = 0;
    for (const Section& section : sections_) {
        size += section.name.size() + 4;
        for (const std::string& line : section.lines)
            size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const Section& section : sections_) {
        text += '[';
        text += section.name;
        text += "]\r\n";
        for (const std::string& line : section.lines) {
            text += line;
            text += "\r\n";
        }
    }
    return text;
}

bool TFastIniFiles::FindValue(std::string_view section, std::string_view key,
                              std::string_view& value) const {
    const Section* found = FindSection(section);
    if (!found)
        return false;
    const std::string* line = FindLine(*found, key);
    std::string_view lineKey;
    return line && SplitLine(*line, lineKey, value) && !value.empty();
}

std::string TFastIniFiles::ReadString(std::string_view section, std::string_view key,
                                      const std::string& defaultValue) const {
    std::string_view value;
    return FindValue(section, key, value) ? std::string(value) : defaultValue;
}

// The typed reads return the default itself when the value is missing or
// empty. Passing it through its text first would give the same number for
// ordinary values, but would round a default of more than 15 digits and would
// refuse a default of infinity or NaN, whose text no reader accepts.
int32_t TFastIniFiles::ReadInteger(std::string_view section, std::string_view key,
                                   int32_t defaultValue) const {
    std::string_view value;
    return FindValue(section, key, value) ? StrToInt(value) : defaultValue;
}

double TFastIniFiles::ReadFloat(std::string_view section, std::string_view key,
                                double defaultValue) const {
    std::string_view value;
    return FindValue(section, key, value) ? StrToFloat(value) : defaultValue;
}

bool TFastIniFiles::ReadBool(std::string_view section, std::string_view key,
                             bool defaultValue) const {
    std::string_view value;
    return FindValue(section, key, value) ? StrToBool(value) : defaultValue;
}

bool TFastIniFiles::ValueExists(std::string_view section, std::string_view key) const {
    std::string_view value;
    return FindValue(section, key, value);
}

void TFastIniFiles::WriteString(std::string_view section, std::string_view key,
                                std::string_view text) {
    Section& target = FindOrAddSection(WithoutLineBreaks(section));
    const std::string cleanKey = WithoutLineBreaks(key);
    auto found = target.firstLineOfKey.find(Utf8FoldCase(cleanKey));
    if (text.empty()) {
        if (found == target.firstLineOfKey.end())
            return;
        target.lines.erase(target.lines.begin() + static_cast<std::ptrdiff_t>(found->second));
        // Later lines moved up and a later line of the same key may now be
        // the first one: rebuilding the index is simplest and deletions are rare.
        ReindexSection(target);
        return;
    }
    std::string line = cleanKey + "=" + WithoutLineBreaks(text);
    if (found != target.firstLineOfKey.end()) {
        target.lines[found->second] = std::move(line);
        return;
    }
    target.lines.push_back(std::move(line));
    IndexLine(target, target.lines.size() - 1);
}

void TFastIniFiles::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TFastIniFiles::WriteFloat(std::string_view section, std::string_view key, double value) {
    WriteString(section, key, FloatToStr(value));
}

void TFastIniFiles::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, BoolToStr(value));
}

std::vector<std::string> TFastIniFiles::Sections() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_)
        names.push_back(section.name);
    return names;
}

std::vector<std::string> TFastIniFiles::SectionLines(std::string_view section) const {
    const Section* found = FindSection(section);
    return found ? found->lines : std::vector<std::string>();
}

const TFastIniFiles::Section* TFastIniFiles::FindSection(std::string_view name) const {
    auto found = firstSectionOfName_.find(Utf8FoldCase(name));
    return found == firstSectionOfName_.end() ? nullptr : &sections_[found->second];
}

TFastIniFiles::Section& TFastIniFiles::FindOrAddSection(std::string_view name) {
    auto [slot, added] = firstSectionOfName_.emplace(Utf8FoldCase(name), sections_.size());
    if (added) {
        Section section;
        section.name = std::string(name);
        sections_.push_back(std::move(section));
    }
    return sections_[slot->second];
}

const std::string* TFastIniFiles::FindLine(const Section& section, std::string_view key) {
    auto found = section.firstLineOfKey.find(Utf8FoldCase(key));
    return found == section.firstLineOfKey.end() ? nullptr : &section.lines[found->second];
}

void TFastIniFiles::IndexLine(Section& section, size_t lineIndex) {
    std::string_view key, value;
    if (SplitLine(section.lines[lineIndex], key, value))
        section.firstLineOfKey.emplace(Utf8FoldCase(key), lineIndex); // first one wins
}

void TFastIniFiles::ReindexSection(Section& section) {
    section.firstLineOfKey.clear();
    for (size_t i = 0; i < section.lines.size(); ++i)
        IndexLine(section, i);
}
