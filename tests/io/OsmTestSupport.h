#pragma once
// Helpers of the OpenStreetMap import tests: the hand-written extracts, the
// same data rewritten by libosmium in the other formats, and small queries on
// the imported map.

#include "io/OsmImport.h"
#include "map/TSPMap.h"

#include <string>
#include <vector>

namespace osmtest {

// Path of a hand-written extract in tests/io/osm.
std::string SamplePath(const std::string& name);

// A file name in the temporary folder of this test process alone (tests run
// side by side), removed when the process ends.
std::string TempPath(const std::string& name);

// The extract rewritten by libosmium's writer into a file ending in `suffix`
// (".osm.pbf", ".osm.bz2") in the test's temporary folder; an empty suffix
// gives the original.
std::string Rewritten(const std::string& name, const std::string& suffix);

// The message of the EImportError an import raises ("" when it succeeds).
std::string ImportMessage(const std::string& path, const TOsmImportSettings& settings = {});
std::string ImportBytesMessage(const std::string& bytes, const TOsmImportSettings& settings = {});

// Positions of the nodes with a name, or -1.
int32_t FindNode(const TTSPMap& map, const std::string& name);
// Transit points with exactly `roads` road entries.
int32_t CountTransitWithRoads(const TTSPMap& map, int32_t roads);
// Distance from point (x, y) to the nearest road segment of the map.
double DistanceToRoads(const TTSPMap& map, double x, double y);

} // namespace osmtest
