#pragma once
// TFastIniFiles: an in-memory store of INI text. A file is read once, all
// lookups and changes happen in memory, and the whole store is written back in
// one go. Section names and keys compare without regard to case; when names
// repeat, the first one wins for every lookup and change, the later ones are
// kept and written back untouched. Nothing is trimmed.
//
// Lookups are hashed, so a map file of a hundred thousand keys loads in
// linear time. The store works on UTF-8 text; the map file decides the file
// encoding (TextEncoding.h).

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TFastIniFiles {
public:
    TFastIniFiles() = default;

    // Reads the file's bytes unchanged as the store's text. Raises EFileError
    // "Cannot open file %s"; the store is not changed by a failed read.
    void LoadFromFile(const std::string& path);
    // Writes SaveToText() to the file in one write. Raises EFileError
    // "Cannot create file %s".
    void SaveToFile(const std::string& path) const;

    // Replaces the store by the sections and lines of the text; CR, LF and
    // CR LF each end a line. Lines before the first header are ignored.
    void LoadFromText(std::string_view text);
    // "[" name "]" then the section's lines, every line ended by CR LF.
    std::string SaveToText() const;

    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& defaultValue) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // An empty text removes the first line with that key. Line breaks in the
    // section name, key or text are stored as spaces, so that a written line
    // always reads back as one line.
    void WriteString(std::string_view section, std::string_view key, std::string_view text);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteFloat(std::string_view section, std::string_view key, double value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Section names in order (repeats included).
    std::vector<std::string> Sections() const;
    // The lines of the first section of that name, as stored.
    std::vector<std::string> SectionLines(std::string_view section) const;

private:
    struct Section {
        std::string name;
        std::vector<std::string> lines;
        // Folded key -> position of the first line with that key. Rebuilt
        // after a line is removed (rare), kept up to date on appends.
        std::unordered_map<std::string, size_t> firstLineOfKey;
    };

    const Section* FindSection(std::string_view name) const;
    Section& FindOrAddSection(std::string_view name);
    // The non-empty value of the first matching line of the first matching
    // section; false when there is none.
    bool FindValue(std::string_view section, std::string_view key, std::string_view& value) const;
    // The first line of the section with that key, or nullptr.
    static const std::string* FindLine(const Section& section, std::string_view key);
    static void IndexLine(Section& section, size_t lineIndex);
    static void ReindexSection(Section& section);

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstSectionOfName_;
};
