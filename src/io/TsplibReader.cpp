#include "io/TsplibReader.h"

#include "io/ImportError.h"
#include "io/ImportLimits.h"
#include "io/ImportText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_map>

namespace {

enum class TState { Specification, Nodes, SkippedSection, End };

struct TRawNode {
    int64_t Line;
    double First, Second;
};

std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && static_cast<unsigned char>(line[at]) <= ' ')
            ++at;
        const size_t start = at;
        while (at < line.size() && static_cast<unsigned char>(line[at]) > ' ')
            ++at;
        if (at > start)
            words.push_back(line.substr(start, at - start));
    }
    return words;
}

bool IsSectionKeyword(std::string_view key) {
    return key.ends_with("_SECTION");
}

// Keywords of the specification part that TSPLIB defines.
bool IsSpecificationKeyword(std::string_view key) {
    static const std::string_view kKeywords[] = {"NAME",
                                                 "TYPE",
                                                 "COMMENT",
                                                 "DIMENSION",
                                                 "CAPACITY",
                                                 "EDGE_WEIGHT_TYPE",
                                                 "EDGE_WEIGHT_FORMAT",
                                                 "EDGE_DATA_FORMAT",
                                                 "NODE_COORD_TYPE",
                                                 "DISPLAY_DATA_TYPE"};
    return std::find(std::begin(kKeywords), std::end(kKeywords), key) != std::end(kKeywords);
}

// Keywords some collections add (a best known length, a source): letters,
// digits, '_', '-' and blanks.
bool LooksLikeKeyword(std::string_view key) {
    return !key.empty() && key.front() >= 'A' && key.front() <= 'Z' &&
           std::all_of(key.begin(), key.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
                      c == ' ' || c == '\t';
           });
}

// A line of the specification part: "KEY : value", "KEY: value", "KEY:value",
// or "KEY value" and a lone "KEY" for the keywords TSPLIB defines.
struct TKeywordLine {
    std::string Key; // upper case
    std::string_view Value;
    bool Known = false; // a keyword this reader can tell from data
};

TKeywordLine SplitKeywordLine(std::string_view line) {
    TKeywordLine result;
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
        result.Key = UpperAscii(TrimText(line.substr(0, colon)));
        result.Value = TrimText(line.substr(colon + 1));
        result.Known = LooksLikeKeyword(result.Key);
    } else {
        const std::string_view first = SplitWords(line).front();
        result.Key = UpperAscii(first);
        result.Value = TrimText(line.substr(first.size()));
        result.Known = result.Key == "EOF" || IsSectionKeyword(result.Key) ||
                       IsSpecificationKeyword(result.Key);
    }
    return result;
}

bool StartsLikeNumber(std::string_view line) {
    const char c = line.front();
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

// A whole number, also when a program wrote it as "7.0" or "7e0".
bool ParseNodeNumber(std::string_view text, int32_t& number) {
    if (ParseImportedInteger(text, number))
        return true;
    double value = 0;
    if (!ParseImportedNumber(text, value) || value != std::trunc(value) || value < INT32_MIN ||
        value > INT32_MAX)
        return false;
    number = static_cast<int32_t>(value);
    return true;
}

class TTsplibParser {
public:
    TTsplibProblem Parse(std::string_view text);

private:
    void ParseLine(std::string_view line);
    void ParseKeyword(const TKeywordLine& keyword);
    void ParseValue(const std::string& key, std::string_view value);
    void ParseDimension(std::string_view value);
    void ParseNode(std::string_view line);
    void EndNodeSection();
    void Finish();
    [[noreturn]] void Fail(const std::string& what) const {
        throw EImportError(LinePrefix(line_) + what);
    }

    TTsplibProblem problem_;
    TState state_ = TState::Specification;
    bool sawNodeSection_ = false;
    int64_t line_ = 0;
    std::vector<TRawNode> raw_;
    std::unordered_map<int32_t, int64_t> lineOfNumber_;
};

TTsplibProblem TTsplibParser::Parse(std::string_view text) {
    // CR LF, LF and CR each end a line.
    size_t at = 0;
    while (at < text.size() && state_ != TState::End) {
        size_t end = at;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        ++line_;
        ParseLine(TrimText(text.substr(at, end - at)));
        at = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    if (state_ != TState::End)
        ++line_; // messages about the end of the file name the line after the last
    if (state_ == TState::Nodes)
        EndNodeSection();
    Finish();
    return std::move(problem_);
}

void TTsplibParser::ParseLine(std::string_view line) {
    if (line.empty() || line.front() == '#')
        return;
    if (state_ != TState::Specification && StartsLikeNumber(line)) {
        if (state_ == TState::Nodes)
            ParseNode(line);
        return; // a line of a section this reader does not use
    }
    const TKeywordLine keyword = SplitKeywordLine(line);
    if (state_ == TState::Nodes) {
        if (!keyword.Known)
            Fail("ожидались номер узла и две его координаты, найдено " + Quoted(line) + ".");
        EndNodeSection();
    }
    state_ = TState::Specification;
    if (!keyword.Known)
        Fail("ожидалось ключевое слово TSPLIB со значением (например, «DIMENSION : 52»), "
             "найдено " +
             Quoted(line) + ".");
    ParseKeyword(keyword);
}

void TTsplibParser::ParseKeyword(const TKeywordLine& keyword) {
    const std::string& key = keyword.Key;
    if (key == "EOF") {
        state_ = TState::End;
    } else if (key == "NODE_COORD_SECTION") {
        if (sawNodeSection_)
            Fail("раздел NODE_COORD_SECTION встречается второй раз.");
        sawNodeSection_ = true;
        state_ = TState::Nodes;
    } else if (IsSectionKeyword(key)) {
        state_ = TState::SkippedSection;
    } else {
        ParseValue(key, keyword.Value);
    }
}

void TTsplibParser::ParseValue(const std::string& key, std::string_view value) {
    const std::string upper = UpperAscii(value);
    if (key == "NAME") {
        problem_.Name = value;
    } else if (key == "COMMENT") {
        if (!problem_.Comment.empty())
            problem_.Comment += "; ";
        problem_.Comment += value;
    } else if (key == "TYPE") {
        if (upper != "TSP")
            Fail("ожидалась симметричная задача коммивояжёра (TYPE : TSP), найдено " +
                 Quoted(value) + ".");
    } else if (key == "DIMENSION") {
        ParseDimension(value);
    } else if (key == "EDGE_WEIGHT_TYPE") {
        if (!IsSupportedEdgeWeightType(upper))
            Fail("тип расстояний " + Quoted(value) +
                 " не поддерживается: ожидались координаты узлов на плоскости "
                 "(EUC_2D, CEIL_2D, ATT) или на Земле (GEO).");
        problem_.EdgeWeightType = upper;
    } else if (key == "NODE_COORD_TYPE") {
        if (upper != "TWOD_COORDS")
            Fail("ожидались две координаты узла (NODE_COORD_TYPE : TWOD_COORDS), найдено " +
                 Quoted(value) + ".");
    }
    // Other keywords (CAPACITY, EDGE_WEIGHT_FORMAT, DISPLAY_DATA_TYPE, and
    // those some collections add, such as a best known length) do not matter
    // for placing the nodes.
}

void TTsplibParser::ParseDimension(std::string_view value) {
    int32_t dimension = 0;
    if (!ParseImportedInteger(value, dimension) || dimension < 1)
        Fail("ожидалось число узлов (DIMENSION) — целое не меньше 1, найдено " + Quoted(value) +
             ".");
    CheckImportLimits(dimension, 0);
    problem_.Dimension = dimension;
}

void TTsplibParser::ParseNode(std::string_view line) {
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.size() < 3)
        Fail("ожидались номер узла и две его координаты, найдено " + Quoted(line) + ".");
    if (words.size() > 3)
        Fail("ожидались только номер узла и две его координаты, найдено лишнее " +
             Quoted(words[3]) + ".");
    int32_t number = 0;
    if (!ParseNodeNumber(words[0], number))
        Fail("ожидался целый номер узла, найдено " + Quoted(words[0]) + ".");
    TRawNode node{line_, 0, 0};
    for (int k = 1; k <= 2; ++k) {
        double& value = k == 1 ? node.First : node.Second;
        if (!ParseImportedNumber(words[static_cast<size_t>(k)], value))
            Fail("ожидалось два числа координат узла, найдено " +
                 Quoted(words[static_cast<size_t>(k)]) + ".");
        if (std::fabs(value) > kMaxImportedCoordinate)
            Fail("координата узла " + Quoted(words[static_cast<size_t>(k)]) + " слишком велика.");
    }
    const auto [earlier, fresh] = lineOfNumber_.try_emplace(number, line_);
    if (!fresh)
        Fail("узел " + std::to_string(number) + " уже был задан в строке " +
             std::to_string(earlier->second) + ".");
    const int64_t count = static_cast<int64_t>(raw_.size()) + 1;
    if (problem_.Dimension >= 0 && count > problem_.Dimension)
        Fail("узлов больше, чем указано в DIMENSION (" + std::to_string(problem_.Dimension) + ").");
    CheckImportLimits(count, 0);
    problem_.Numbers.push_back(number);
    raw_.push_back(node);
}

void TTsplibParser::EndNodeSection() {
    const int64_t count = static_cast<int64_t>(raw_.size());
    if (problem_.Dimension >= 0 && count != problem_.Dimension)
        Fail("ожидались координаты ещё " + std::to_string(problem_.Dimension - count) +
             " узлов: в разделе NODE_COORD_SECTION их " + std::to_string(count) +
             ", а DIMENSION равно " + std::to_string(problem_.Dimension) + ".");
    if (count == 0)
        Fail("ожидались строки узлов «номер x y», а раздел NODE_COORD_SECTION пуст.");
    state_ = TState::Specification;
}

// Places the nodes once the whole file is read: the distance type may be
// given anywhere in the specification part.
void TTsplibParser::Finish() {
    if (!sawNodeSection_)
        Fail("файл закончился, а раздела NODE_COORD_SECTION с координатами узлов не было.");
    if (problem_.Dimension >= 0 && static_cast<int64_t>(raw_.size()) != problem_.Dimension)
        Fail("DIMENSION равно " + std::to_string(problem_.Dimension) +
             ", а в разделе NODE_COORD_SECTION узлов: " + std::to_string(raw_.size()) + ".");
    if (problem_.EdgeWeightType.empty())
        problem_.EdgeWeightType = "EUC_2D";
    const bool geographic = problem_.EdgeWeightType == "GEO";
    problem_.Points.reserve(raw_.size());
    for (const TRawNode& node : raw_) {
        if (!geographic) {
            problem_.Points.push_back({node.First, node.Second});
            continue;
        }
        const double latitude = TsplibGeoDegrees(node.First);
        const double longitude = TsplibGeoDegrees(node.Second);
        if (!IsValidLatitude(latitude) || !IsValidLongitude(longitude))
            throw EImportError(LinePrefix(node.Line) +
                               "ожидались широта (от -90 до 90) и долгота (от -180 до 180) "
                               "в градусах и минутах (GEO).");
        problem_.Points.push_back(ProjectLonLat(longitude, latitude));
    }
}

} // namespace

bool IsSupportedEdgeWeightType(std::string_view type) {
    return type == "EUC_2D" || type == "CEIL_2D" || type == "ATT" || type == "GEO" ||
           type == "MAN_2D" || type == "MAX_2D";
}

double TsplibGeoDegrees(double value) {
    const double degrees = std::trunc(value);
    return degrees + 5.0 * (value - degrees) / 3.0;
}

TTsplibProblem ReadTsplib(std::string_view text) {
    return TTsplibParser().Parse(text);
}
