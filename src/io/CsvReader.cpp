#include "io/CsvReader.h"

#include "io/ImportError.h"
#include "io/ImportText.h"

namespace {

bool AtLineEnd(std::string_view text, size_t at) {
    return at < text.size() && (text[at] == '\n' || text[at] == '\r');
}

} // namespace

char DetectCsvSeparator(std::string_view text) {
    int64_t semicolons = 0, tabs = 0, commas = 0;
    bool quoted = false;
    for (size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted) {
            semicolons += c == ';';
            tabs += c == '\t';
            commas += c == ',';
        }
    }
    if (semicolons >= tabs && semicolons >= commas && semicolons > 0)
        return ';';
    if (tabs >= commas && tabs > 0)
        return '\t';
    return ',';
}

TCsvReader::TCsvReader(std::string_view text) : text_(text), separator_(DetectCsvSeparator(text)) {
    // Excel may start a file with "sep=;", naming the separator in a line of
    // its own.
    const std::string_view hint = text.substr(0, 6);
    if (hint.size() >= 5 && (hint.starts_with("sep=") || hint.starts_with("SEP=")) &&
        std::string_view(";,\t|").find(hint[4]) != std::string_view::npos &&
        (hint.size() == 5 || hint[5] == '\r' || hint[5] == '\n')) {
        separator_ = hint[4];
        at_ = 5;
        if (at_ < text_.size())
            at_ += text_.substr(at_, 2) == "\r\n" ? 2 : 1;
        line_ = 2;
    }
}

bool TCsvReader::Next(TCsvRow& row) {
    while (at_ < text_.size()) {
        row.Line = line_;
        row.Fields.clear();
        bool anyText = false;
        for (;;) {
            std::string field;
            size_t start = at_;
            while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t') &&
                   text_[at_] != separator_)
                ++at_;
            if (at_ < text_.size() && text_[at_] == '"') {
                ReadQuoted(field, row.Line);
                start = at_;
            }
            while (at_ < text_.size() && text_[at_] != separator_ && !AtLineEnd(text_, at_))
                ++at_;
            field += TrimText(text_.substr(start, at_ - start));
            anyText = anyText || !field.empty();
            row.Fields.push_back(std::move(field));
            if (at_ < text_.size() && text_[at_] == separator_) {
                ++at_;
                continue;
            }
            break;
        }
        // The line break: CR LF, LF or CR. A row of empty fields only (as
        // spreadsheets write below a table) is no row.
        if (at_ < text_.size())
            at_ += text_.substr(at_, 2) == "\r\n" ? 2 : 1;
        ++line_;
        if (anyText)
            return true;
    }
    return false;
}

// From the opening quote to the closing one; a doubled quote stands for one.
void TCsvReader::ReadQuoted(std::string& field, int64_t rowLine) {
    ++at_;
    for (;;) {
        const size_t quote = text_.find('"', at_);
        if (quote == std::string_view::npos) {
            throw EImportError(LinePrefix(rowLine) +
                               "ожидалась закрывающая кавычка поля, а файл закончился.");
        }
        for (size_t i = at_; i < quote; ++i) {
            // Line breaks inside the field still count as lines of the file.
            if (text_[i] == '\n' ||
                (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n')))
                ++line_;
        }
        field.append(text_.substr(at_, quote - at_));
        at_ = quote + 1;
        if (at_ < text_.size() && text_[at_] == '"') {
            field += '"';
            ++at_;
            continue;
        }
        return;
    }
}
