#include "io/CsvCityList.h"

#include "core/TextEncoding.h"
#include "io/CsvReader.h"
#include "io/ImportError.h"
#include "io/ImportLimits.h"
#include "io/ImportText.h"
#include "map/TSPMap.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <unordered_map>

namespace {

struct TColumn {
    int32_t Index = -1;
    std::string Title; // as the header writes it, for messages
    bool Present() const { return Index >= 0; }
};

struct TCityColumns {
    TColumn Name, X, Y, Lon, Lat, City, Selected, Id;
};

struct TRawCity {
    int64_t Line = 0;
    std::string Name, Id, Kind, Order;
    TPlanePoint Point;
};

[[noreturn]] void Fail(int64_t line, const std::string& what) {
    throw EImportError(LinePrefix(line) + what);
}

bool OneOf(std::string_view folded, const std::vector<std::string_view>& names) {
    return std::find(names.begin(), names.end(), folded) != names.end();
}

std::string_view FieldAt(const TCsvRow& row, const TColumn& column) {
    if (!column.Present() || column.Index >= static_cast<int32_t>(row.Fields.size()))
        return {};
    return TrimText(row.Fields[static_cast<size_t>(column.Index)]);
}

std::string JoinedHeader(const TCsvRow& header, char separator) {
    std::string joined;
    for (size_t i = 0; i < header.Fields.size(); ++i)
        joined += (i ? std::string(1, separator) : "") + header.Fields[i];
    return joined;
}

// The names a column goes by: exactly, or (for lists that qualify their
// column names, such as geo_lat or name_ru) as one word of the name.
struct TColumnNames {
    TColumn TCityColumns::*Member;
    std::vector<std::string_view> Exact;
    std::vector<std::string_view> Words;
};

const std::vector<TColumnNames>& ColumnNames() {
    static const std::vector<TColumnNames> names{
        {&TCityColumns::Name, {"name", "название", "имя", "наименование"}, {"name", "название"}},
        {&TCityColumns::X, {"x"}, {}},
        {&TCityColumns::Y, {"y"}, {}},
        {&TCityColumns::Lon,
         {"lon", "long", "longitude", "lng", "долгота"},
         {"lon", "lng", "longitude", "долгота"}},
        {&TCityColumns::Lat, {"lat", "latitude", "широта"}, {"lat", "latitude", "широта"}},
        {&TCityColumns::City, {"city", "город"}, {}},
        {&TCityColumns::Selected, {"selected", "выделен"}, {}},
        {&TCityColumns::Id, {"id", "номер"}, {}},
    };
    return names;
}

// Words of a column name: runs of letters and digits (any non-ASCII byte
// counts as a letter, so Cyrillic words stay whole).
bool HasWord(std::string_view name, const std::vector<std::string_view>& words) {
    size_t at = 0;
    while (at < name.size()) {
        auto isWordByte = [&](size_t i) {
            const unsigned char c = static_cast<unsigned char>(name[i]);
            return c >= 0x80 || std::isalnum(c);
        };
        while (at < name.size() && !isWordByte(at))
            ++at;
        const size_t start = at;
        while (at < name.size() && isWordByte(at))
            ++at;
        if (at > start &&
            std::find(words.begin(), words.end(), name.substr(start, at - start)) != words.end())
            return true;
    }
    return false;
}

TCityColumns FindCityColumns(const TCsvRow& header) {
    std::vector<std::string> folded;
    for (const std::string& field : header.Fields)
        folded.push_back(Utf8FoldCase(TrimText(field)));
    std::vector<bool> used(folded.size());
    TCityColumns columns;
    auto take = [&](TColumn& column, size_t i) {
        column = {static_cast<int32_t>(i), std::string(TrimText(header.Fields[i]))};
        used[i] = true;
    };
    for (const TColumnNames& names : ColumnNames())
        for (size_t i = 0; i < folded.size() && !(columns.*names.Member).Present(); ++i)
            if (!used[i] && OneOf(folded[i], names.Exact))
                take(columns.*names.Member, i);
    for (const TColumnNames& names : ColumnNames())
        for (size_t i = 0; i < folded.size() && !(columns.*names.Member).Present(); ++i)
            if (!used[i] && HasWord(folded[i], names.Words))
                take(columns.*names.Member, i);
    return columns;
}

double ReadNumber(const TCsvRow& row, const TColumn& column) {
    const std::string_view text = FieldAt(row, column);
    if (text.empty())
        Fail(row.Line, "ожидалось число в столбце «" + column.Title + "», найдено пустое поле.");
    double value = 0;
    if (!ParseImportedNumber(text, value) || std::fabs(value) > kMaxImportedCoordinate)
        Fail(row.Line,
             "ожидалось число в столбце «" + column.Title + "», найдено " + Quoted(text) + ".");
    return value;
}

TPlanePoint ReadPoint(const TCsvRow& row, const TCityColumns& columns, bool planar) {
    if (planar)
        return {ReadNumber(row, columns.X), ReadNumber(row, columns.Y)};
    const double longitude = ReadNumber(row, columns.Lon);
    const double latitude = ReadNumber(row, columns.Lat);
    if (!IsValidLongitude(longitude))
        Fail(row.Line, "ожидалась долгота от -180 до 180 в столбце «" + columns.Lon.Title +
                           "», найдено " + Quoted(FieldAt(row, columns.Lon)) + ".");
    if (!IsValidLatitude(latitude))
        Fail(row.Line, "ожидалась широта от -90 до 90 в столбце «" + columns.Lat.Title +
                           "», найдено " + Quoted(FieldAt(row, columns.Lat)) + ".");
    return ProjectLonLat(longitude, latitude);
}

// Extra fields are allowed when empty (trailing separators); text in them
// usually means numbers with a decimal comma in a comma-separated file.
void CheckExtraFields(const TCsvRow& row, size_t columns, char separator) {
    for (size_t i = columns; i < row.Fields.size(); ++i) {
        if (TrimText(row.Fields[i]).empty())
            continue;
        std::string what = "полей больше, чем столбцов в заголовке (" + std::to_string(columns) +
                           "): лишнее " + Quoted(row.Fields[i]) + ".";
        if (separator == ',')
            what += " Числа с десятичной запятой в файле, где поля разделены запятыми, "
                    "заключают в кавычки.";
        Fail(row.Line, what);
    }
}

// 1 / 0 as the map file writes it (-1 for true), and words.
bool ParseKind(std::string_view text, bool& isCity) {
    const std::string folded = Utf8FoldCase(text);
    if (OneOf(folded, {"1", "-1", "true", "yes", "да"}))
        isCity = true;
    else if (OneOf(folded, {"0", "false", "no", "нет"}))
        isCity = false;
    else
        return false;
    return true;
}

std::vector<TRawCity> ReadRawCities(TCsvReader& reader, const TCsvRow& header,
                                    const TCityColumns& columns, bool planar) {
    std::vector<TRawCity> raw;
    std::unordered_map<std::string, int64_t> lineOfId;
    TCsvRow row;
    while (reader.Next(row)) {
        CheckExtraFields(row, header.Fields.size(), reader.Separator());
        TRawCity city;
        city.Line = row.Line;
        city.Point = ReadPoint(row, columns, planar);
        city.Name = FieldAt(row, columns.Name);
        city.Id = FieldAt(row, columns.Id);
        city.Kind = FieldAt(row, columns.City);
        city.Order = FieldAt(row, columns.Selected);
        if (!city.Id.empty()) {
            const auto [earlier, fresh] = lineOfId.try_emplace(city.Id, row.Line);
            if (!fresh)
                Fail(row.Line, "номер " + Quoted(city.Id) + " в столбце «" + columns.Id.Title +
                                   "» уже есть у города в строке " +
                                   std::to_string(earlier->second) + ".");
        }
        raw.push_back(std::move(city));
        if (raw.size() > static_cast<size_t>(kMaxMatrixNodes)) {
            // Too many: the rest is only counted, so the message gives the
            // list's real size without holding it.
            int64_t count = static_cast<int64_t>(raw.size());
            while (reader.Next(row))
                ++count;
            CheckImportLimits(count, 0);
        }
    }
    if (raw.empty())
        Fail(header.Line + 1, "ожидались строки городов под заголовком, а файл закончился.");
    return raw;
}

// The city column holds kinds when every value is one (or empty); otherwise
// it is a column of names, as in lists that call the town's name "city".
bool HoldsKinds(const std::vector<TRawCity>& raw) {
    bool isCity = true;
    return std::all_of(raw.begin(), raw.end(), [&](const TRawCity& city) {
        return city.Kind.empty() || ParseKind(city.Kind, isCity);
    });
}

TIntegerArray ReadSelection(const std::vector<TRawCity>& raw, const TCsvCityList& list,
                            const TColumn& column) {
    TIntegerArray selection;
    if (!column.Present()) {
        for (size_t p = 0; p < raw.size(); ++p)
            if (list.Nodes[p].IsCity)
                selection.Add(static_cast<int32_t>(p));
        return selection;
    }
    std::vector<std::pair<int32_t, int32_t>> ordered; // order number, position
    for (size_t p = 0; p < raw.size(); ++p) {
        int32_t order = 0;
        if (!raw[p].Order.empty() && (!ParseImportedInteger(raw[p].Order, order) || order < 0))
            Fail(raw[p].Line, "ожидался порядковый номер города в маршруте в столбце «" +
                                  column.Title +
                                  "» (целое число; 0 или пусто — не выделен), "
                                  "найдено " +
                                  Quoted(raw[p].Order) + ".");
        if (order > 0 && !list.Nodes[p].IsCity)
            Fail(raw[p].Line, "выделен транзитный пункт; выделять можно только города.");
        if (order > 0)
            ordered.push_back({order, static_cast<int32_t>(p)});
    }
    std::stable_sort(ordered.begin(), ordered.end());
    for (const auto& [order, position] : ordered)
        selection.Add(position);
    return selection;
}

} // namespace

TCsvCityList ReadCsvCityList(std::string_view text) {
    TCsvReader reader(text);
    TCsvRow header;
    if (!reader.Next(header))
        Fail(1, "ожидалась строка заголовка со столбцами name, x, y или name, lon, lat, "
                "а файл пуст.");
    const TCityColumns columns = FindCityColumns(header);
    const bool planar = columns.X.Present() && columns.Y.Present();
    if (!planar && !(columns.Lon.Present() && columns.Lat.Present()))
        Fail(header.Line, "ожидались столбцы x и y или долгота и широта (lon и lat), найдено " +
                              Quoted(JoinedHeader(header, reader.Separator())) + ".");
    const std::vector<TRawCity> raw = ReadRawCities(reader, header, columns, planar);

    TCsvCityList list;
    list.Geographic = !planar;
    const bool kinds = HoldsKinds(raw);
    for (size_t p = 0; p < raw.size(); ++p) {
        TImportedNode node;
        node.Point = raw[p].Point;
        node.Name = !raw[p].Name.empty()             ? raw[p].Name
                    : !kinds && !raw[p].Kind.empty() ? raw[p].Kind
                    : !raw[p].Id.empty()             ? raw[p].Id
                                                     : std::to_string(p + 1);
        if (kinds && !raw[p].Kind.empty())
            ParseKind(raw[p].Kind, node.IsCity);
        list.Nodes.push_back(std::move(node));
        list.Lines.push_back(raw[p].Line);
        list.Ids.push_back(raw[p].Id);
    }
    list.Selection = ReadSelection(raw, list, columns.Selected);
    return list;
}
