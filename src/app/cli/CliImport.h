#pragma once
// The parts every importer of trasolan-cli's import command shares: the
// options of the map surface and the output, and the report of what was made.

#include "app/cli/CliArgs.h"
#include "io/ImportedMap.h"

#include <set>
#include <string>

namespace cli {

// The options every importer takes (--width, --height, -o; the flag --json)
// together with the importer's own.
std::set<std::string> ImportValueOptions(std::set<std::string> own);
std::set<std::string> ImportFlags(std::set<std::string> own);

// The surface from --width and --height (default the map view's 767 x 446).
TSurfaceSize ReadSurface(const Args& args);

// Saves the map to -o and prints what it holds, as text or (--json) one
// JSON object.
void WriteImportedMap(const TImportResult& result, const TSurfaceSize& surface, const Args& args);

// The importers, each for its own file types: the file, and the arguments
// parsed with the shared options and its own.
int ImportTsplibCommand(const std::string& input, const Args& args);
int ImportCsvCommand(const std::string& input, const Args& args);
int ImportOsmCommand(const std::string& input, const Args& args);

} // namespace cli
