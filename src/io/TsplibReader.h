#pragma once
// Reader of TSPLIB problem files (".tsp") of the symmetric travelling-salesman
// problem with node coordinates: the specification part (NAME, TYPE, COMMENT,
// DIMENSION, EDGE_WEIGHT_TYPE, ...) and NODE_COORD_SECTION.
//
// Liberal where files in the wild differ from one another: keywords in any
// letter case, with or without blanks around ':' (or with none at all), CR LF
// or LF, blank lines, '#' comment lines, keywords it does not use, other data
// sections (skipped), a missing EOF. Strict where the data is wrong: a node
// count that differs from DIMENSION, a node line without two numbers, a node
// number given twice, a problem type or distance type it cannot place on a map.

#include "io/GeoProjection.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TTsplibProblem {
    std::string Name;
    std::string Comment;             // COMMENT lines joined by "; "
    std::string EdgeWeightType;      // upper case; EUC_2D when the file names none
    int32_t Dimension = -1;          // -1 when the file names none
    std::vector<int32_t> Numbers;    // node numbers in file order
    std::vector<TPlanePoint> Points; // as written; GEO already projected
};

// Distance types whose coordinates are points of a plane (or, for GEO, of the
// Earth): EUC_2D, CEIL_2D, ATT, GEO, and MAN_2D and MAX_2D, whose points are
// placed the same way (a route's length on the map is its straight-line length
// whatever the file's distance type).
bool IsSupportedEdgeWeightType(std::string_view upperCaseType);

// TSPLIB's GEO form DDD.MM (degrees and minutes) to degrees: the integer part
// is degrees, the fraction minutes over 100 (TSPLIB's own conversion).
double TsplibGeoDegrees(double value);

// Parses decoded text; raises EImportError with the line number and what was
// expected there.
TTsplibProblem ReadTsplib(std::string_view text);
