#include "io/CsvCityList.h"

#include "core/TextEncoding.h"
#include "io/CsvReader.h"
#include "io/ImportError.h"
#include "io/ImportLimits.h"
#include "io/ImportText.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
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

bool OneOf(const std::string& folded, std::initializer_list<std::string_view> names) {
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

TCityColumns FindCityColumns(const TCsvRow& header) {
    TCityColumns columns;
    for (size_t i = 0; i < header.Fields.size(); ++i) {
        const std::string folded = Utf8FoldCase(TrimText(header.Fields[i]));
        TColumn* column = nullptr;
        if (OneOf(folded, {"name", "название", "имя", "наименование"}))
            column = &columns.Name;
        else if (OneOf(folded, {"x"}))
            column = &columns.X;
        else if (OneOf(folded, {"y"}))
            column = &columns.Y;
        else if (OneOf(folded, {"lon", "long", "longitude", "lng", "долгота"}))
            column = &columns.Lon;
        else if (OneOf(folded, {"lat", "latitude", "широта"}))
            column = &columns.Lat;
        else if (OneOf(folded, {"city", "город"}))
            column = &columns.City;
        else if (OneOf(folded, {"selected", "выделен"}))
            column = &columns.Selected;
        else if (OneOf(folded, {"id", "номер"}))
            column = &columns.Id;
        if (column && !column->Present())
            *column = {static_cast<int32_t>(i), std::string(TrimText(header.Fields[i]))};
    }
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
        CheckImportLimits(static_cast<int64_t>(raw.size()), 0);
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
