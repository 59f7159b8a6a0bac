#include "io/TsplibImport.h"

#include "io/ImportText.h"
#include "io/TsplibReader.h"

TImportResult ImportTsplib(std::string_view bytes, const TImportOptions& options) {
    TTsplibProblem problem = ReadTsplib(DecodeImportedText(bytes));
    FitToSurface(problem.Points, options.Surface);

    TImportResult result;
    result.Summary.Format = "TSPLIB";
    result.Summary.Name = problem.Name;
    result.Summary.Comment = problem.Comment;
    std::vector<TImportedNode> nodes(problem.Points.size());
    TIntegerArray selection;
    for (size_t p = 0; p < nodes.size(); ++p) {
        nodes[p].Name = std::to_string(problem.Numbers[p]);
        nodes[p].Point = problem.Points[p];
        selection.Add(static_cast<int32_t>(p));
    }
    const TRoadLists roads = MakeRoads(nodes, options.Roads, result.Summary);
    result.Map = AssembleMap(nodes, roads, selection);
    return result;
}

TImportResult ImportTsplibFile(const std::string& path, const TImportOptions& options) {
    return ImportTsplib(ReadMapFileBytes(path), options);
}
