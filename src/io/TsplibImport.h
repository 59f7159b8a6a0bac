#pragma once
// A map from a TSPLIB problem: every node becomes a city named by its number
// in the file, placed by its coordinates fitted into the map surface (GEO
// coordinates projected first, north up), and selected in file order, so the
// route runs from the first node of the file to the last. Roads by the
// options' rule.

#include "io/ImportedMap.h"

#include <string>
#include <string_view>

// Raises EImportError for a file that is not a problem this program can take.
TImportResult ImportTsplib(std::string_view bytes, const TImportOptions& options);
// Reads the file with the map file's size limit (EFileError, ETSPError), then
// as ImportTsplib.
TImportResult ImportTsplibFile(const std::string& path, const TImportOptions& options);
