#pragma once
// The limits of the program applied to a map about to be imported, before it
// is built: a map the program cannot hold, or one the solver cannot solve
// (its distance table covers at most kMaxMatrixNodes nodes), is refused at
// once with a message, instead of failing later with a half-made map.

#include <cstdint>
#include <string_view>

// Raises EImportError when `nodes` exceeds kMaxNodes or kMaxMatrixNodes, or
// `roadEntries` (entries over all road lists, two per road) exceeds
// kMaxRoadEntries. `advice`, when given, ends the message (what the user can
// change to make the map smaller).
void CheckImportLimits(int64_t nodes, int64_t roadEntries, std::string_view advice = {});
