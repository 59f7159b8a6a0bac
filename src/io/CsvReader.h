#pragma once
// A reader of CSV text as spreadsheets write it (RFC 4180): fields in double
// quotes may hold separators, quotes (doubled) and line breaks. The separator
// is found in the header line: the most frequent of ';', tab and ',' outside
// quotes (';' first on a tie, as Russian spreadsheets use it with a decimal
// comma), unless a first line "sep=X" names it as Excel writes it. Lenient
// where that costs nothing: blanks around unquoted fields are
// dropped, text after a closing quote is kept, empty lines are skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TCsvRow {
    int64_t Line = 0; // line of the file where the row starts, from 1
    std::vector<std::string> Fields;
};

class TCsvReader {
public:
    explicit TCsvReader(std::string_view text);

    char Separator() const { return separator_; }
    // The next row that is not empty; false at the end of the text. Raises
    // EImportError for a quote that is never closed.
    bool Next(TCsvRow& row);

private:
    void ReadQuoted(std::string& field, int64_t rowLine);

    std::string_view text_;
    size_t at_ = 0;
    int64_t line_ = 1;
    char separator_ = ',';
};

// The header row's separator (see above); ',' when the line has none.
char DetectCsvSeparator(std::string_view text);
