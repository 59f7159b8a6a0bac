#pragma once
// City lists from spreadsheets: a CSV file with a header row naming its
// columns, in any order and letter case:
//   name (название, имя)           the node's name; without it, the city's number
//   x, y                            coordinates on the plane (y as on the map: down)
//   lon/long/longitude/lng (долгота), lat/latitude (широта)
//                                   degrees, projected with north up (when x and y
//                                   are absent)
//   city (город)                    1 for a city, 0 for a transit point; a column of
//                                   that name holding other text is taken as the names
//   selected (выделен)              order number in the route; empty or 0: not selected
//   id (номер)                      the city's own number, for the roads file
// Other columns are ignored. Without a selected column every city is selected
// in file order.
//
// The roads file is a second CSV with the columns from and to (source and
// target, откуда and куда), each a city's name, its id, or its number in the
// list counting from 1.

#include "io/ImportedMap.h"

#include <string>
#include <string_view>
#include <vector>

struct TCsvCityList {
    std::vector<TImportedNode> Nodes; // points in plane units, not yet fitted
    std::vector<int64_t> Lines;       // the file line of each node
    std::vector<std::string> Ids;     // the id column's values (empty without one)
    TIntegerArray Selection;          // node positions in route order
    bool Geographic = false;          // the points are projected longitudes and latitudes
};

// Decoded text in, EImportError with the line and what was expected out.
TCsvCityList ReadCsvCityList(std::string_view text);

// Roads both ways between the listed cities; a road from a city to itself
// and a road given twice count once.
TRoadLists ReadCsvRoadList(std::string_view text, const TCsvCityList& cities);
