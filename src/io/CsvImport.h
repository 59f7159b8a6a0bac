#pragma once
// A map from a city list (see CsvCityList.h): the cities fitted into the map
// surface (longitudes and latitudes projected first, north up), roads from an
// optional roads file or else by the options' rule, the selection from the
// list's selected column or else every city in file order.

#include "io/ImportedMap.h"

#include <optional>
#include <string>
#include <string_view>

// Each file in UTF-8 (with or without a byte-order mark) or Windows-1251.
// Raises EImportError; the message of a roads-file error says so.
TImportResult ImportCsv(std::string_view cityBytes, std::optional<std::string_view> roadBytes,
                        const TImportOptions& options);
// Reads the files with the map file's size limit (EFileError, ETSPError),
// then as ImportCsv; an empty roadsPath means no roads file.
TImportResult ImportCsvFile(const std::string& path, const std::string& roadsPath,
                            const TImportOptions& options);
