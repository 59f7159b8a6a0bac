#pragma once
// The towns of an import: each joined to the nearest node of the kept roads,
// or left out and counted; and the selection of them.

#include "io/OsmExtract.h"
#include "io/OsmImport.h"
#include "io/OsmMapAssembly.h"
#include "io/RoadNetwork.h"

#include <optional>
#include <string>
#include <vector>

// The towns inside the box (all without one), in the order of the file, each
// joined to its road vertex within `joinKilometres`; the others are counted
// in the report. Raises EImportError when no town is left.
std::vector<TPlacedTown> PlaceTowns(const TOsmExtract& extract, const TRoadNetwork& network,
                                    const std::vector<bool>& inPart,
                                    const std::optional<TPlaneBox>& box, double joinKilometres,
                                    TOsmImportReport& report, const TImportProgress& progress);

// Every town by its position in `towns` (the towns are the map's first
// nodes), in that order; the town named `startName` goes first and the one
// named `endName` last, when given. Names match exactly or, failing that,
// without regard to letter case. Raises EImportError for fewer than two
// towns, a name no town has, or one town named as both.
TIntegerArray TownSelection(const std::vector<TPlacedTown>& towns, const std::string& startName,
                            const std::string& endName);
