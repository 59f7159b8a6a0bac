// The roads file of a city list: one road a row, between the cities named in
// its from and to columns.

#include "core/TextEncoding.h"
#include "io/CsvCityList.h"
#include "io/CsvReader.h"
#include "io/ImportError.h"
#include "io/ImportLimits.h"
#include "io/ImportText.h"

#include <unordered_map>

namespace {

struct TRoadColumn {
    int32_t Index = -1;
    std::string Title;
};

// Finds a city by its name, its id or its number in the list (from 1), in
// this order, so that a city named "12" is found by that name.
class TCityLookup {
public:
    explicit TCityLookup(const TCsvCityList& cities) : cities_(cities) {
        for (size_t p = 0; p < cities.Nodes.size(); ++p) {
            const auto [at, fresh] = byName_.try_emplace(cities.Nodes[p].Name, int32_t(p));
            if (!fresh)
                ambiguous_.try_emplace(at->first, at->second);
            if (!cities.Ids[p].empty())
                byId_.try_emplace(cities.Ids[p], static_cast<int32_t>(p));
        }
    }

    int32_t Find(const std::string& text, int64_t line, const TRoadColumn& column) const {
        if (text.empty())
            Fail(line, "ожидалось название или номер города в столбце «" + column.Title +
                           "», найдено пустое поле.");
        if (auto named = byName_.find(text); named != byName_.end()) {
            if (auto twice = ambiguous_.find(text); twice != ambiguous_.end())
                Fail(line, "название " + Quoted(text) +
                               " носят несколько городов (первый — в "
                               "строке " +
                               std::to_string(cities_.Lines[size_t(twice->second)]) +
                               " списка); укажите номер города.");
            return named->second;
        }
        if (auto id = byId_.find(text); id != byId_.end())
            return id->second;
        int32_t number = 0;
        const int32_t count = static_cast<int32_t>(cities_.Nodes.size());
        if (ParseImportedInteger(text, number) && number >= 1 && number <= count)
            return number - 1;
        Fail(line, "ожидалось название города из списка или его номер (от 1 до " +
                       std::to_string(count) + "), найдено " + Quoted(text) + ".");
    }

private:
    [[noreturn]] static void Fail(int64_t line, const std::string& what) {
        throw EImportError(LinePrefix(line) + what);
    }

    const TCsvCityList& cities_;
    std::unordered_map<std::string, int32_t> byName_;
    std::unordered_map<std::string, int32_t> ambiguous_; // name -> first city of that name
    std::unordered_map<std::string, int32_t> byId_;
};

void FindRoadColumns(const TCsvRow& header, TRoadColumn& from, TRoadColumn& to) {
    for (size_t i = 0; i < header.Fields.size(); ++i) {
        const std::string folded = Utf8FoldCase(TrimText(header.Fields[i]));
        const bool isFrom = folded == "from" || folded == "source" || folded == "откуда";
        const bool isTo = folded == "to" || folded == "target" || folded == "куда";
        TRoadColumn* column = isFrom ? &from : isTo ? &to : nullptr;
        if (column && column->Index < 0)
            *column = {static_cast<int32_t>(i), std::string(TrimText(header.Fields[i]))};
    }
    if (from.Index < 0 || to.Index < 0)
        throw EImportError(LinePrefix(header.Line) +
                           "ожидались столбцы from и to (названия или номера городов), "
                           "а их в заголовке нет.");
}

std::string FieldAt(const TCsvRow& row, const TRoadColumn& column) {
    if (column.Index >= static_cast<int32_t>(row.Fields.size()))
        return {};
    return std::string(TrimText(row.Fields[static_cast<size_t>(column.Index)]));
}

} // namespace

TRoadLists ReadCsvRoadList(std::string_view text, const TCsvCityList& cities) {
    TCsvReader reader(text);
    TCsvRow header;
    if (!reader.Next(header))
        throw EImportError(LinePrefix(1) + "ожидалась строка заголовка со столбцами from и to, "
                                           "а файл дорог пуст.");
    TRoadColumn from, to;
    FindRoadColumns(header, from, to);
    const TCityLookup lookup(cities);
    const int64_t nodes = static_cast<int64_t>(cities.Nodes.size());
    TRoadLists roads(cities.Nodes.size());
    int64_t entries = 0;
    TCsvRow row;
    while (reader.Next(row)) {
        const int32_t a = lookup.Find(FieldAt(row, from), row.Line, from);
        const int32_t b = lookup.Find(FieldAt(row, to), row.Line, to);
        if (a == b)
            continue; // a road from a city to itself leads nowhere
        roads[static_cast<size_t>(a)].push_back(b);
        roads[static_cast<size_t>(b)].push_back(a);
        entries += 2;
        CheckImportLimits(nodes, entries);
    }
    SortRoadLists(roads);
    return roads;
}
