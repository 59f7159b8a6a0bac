// optimum, and the reference that solve and crossover-test add.

#include "app/cli/CliArgs.h"
#include "app/cli/CliCommands.h"
#include "app/cli/CliReference.h"
#include "app/cli/CliSolveOutput.h"

#include "map/TSPMap.h"

#include <cmath>
#include <iostream>
#include <limits>

namespace cli {

namespace {

const char* const kOptimumHelp =
    R"(Usage: trasolan-cli optimum MAP.ga [--time-limit S] [--json]

Computes the reference for the map's task: the shortest route that starts at
the first selected city, ends at the last one, visits every selected city and
follows the roads, measured with the distances the solver uses. Up to 20
distinct selected cities it is the proven optimum (dynamic programming over
the shortest road paths between the cities); above that it is the best route
an iterated local search (2-opt, Or-opt, double-bridge kicks) finds. The
search is deterministic: the same map gives the same route, unless the time
limit cuts the search short.

  --time-limit S   seconds the search may take above 20 cities (default 5);
                   the exact method is not limited
  --json           print one JSON object: length, exact, route_ids,
                   elapsed_seconds

A task the solver refuses is refused here with the same message (exit 1).
)";

std::string RouteNames(const TTSPMap& map, const std::vector<int32_t>& ids) {
    std::string text;
    for (size_t i = 0; i < ids.size(); ++i) {
        const int32_t at = map.IndexOfID(ids[i]);
        text += (i ? "-" : "") + (at >= 0 ? map.City(at).Name : std::string("x"));
    }
    return text;
}

void PrintOptimum(const TTSPMap& map, const reference::TReferenceResult& result, bool json) {
    std::string ids;
    for (size_t i = 0; i < result.RouteIds.size(); ++i)
        ids += (i ? (json ? "," : " ") : "") + std::to_string(result.RouteIds[i]);
    if (json) {
        std::cout << "{\"length\":" << JsonNumber(result.Length)
                  << ",\"exact\":" << (result.Exact ? "true" : "false") << ",\"route_ids\":[" << ids
                  << "],\"elapsed_seconds\":" << JsonNumber(result.ElapsedSeconds) << "}\n";
        return;
    }
    std::cout << "length:     " << NumberText(result.Length) << "\n"
              << "exact:      " << (result.Exact ? "yes, the proven optimum" : "no, the best found")
              << "\n"
              << "route:      " << RouteNames(map, result.RouteIds) << "\n"
              << "route IDs:  " << ids << "\n"
              << "elapsed:    " << FixedText(result.ElapsedSeconds, 3) << " s\n";
}

} // namespace

reference::TReferenceResult ComputeReference(const TTSPMap& map, double timeLimitSeconds) {
    reference::TReferenceOptions options;
    options.TimeLimitSeconds = timeLimitSeconds;
    return reference::SolveReference(map, options);
}

double GapPercent(double length, double referenceLength) {
    if (referenceLength == 0)
        return length == 0 ? 0 : std::numeric_limits<double>::infinity();
    return (length - referenceLength) / referenceLength * 100;
}

std::string ReferenceJson(const reference::TReferenceResult& result, double length) {
    return "{\"length\":" + JsonNumber(result.Length) +
           ",\"exact\":" + (result.Exact ? "true" : "false") +
           ",\"gap_percent\":" + JsonNumber(GapPercent(length, result.Length)) + "}";
}

std::string ReferenceText(const reference::TReferenceResult& result) {
    return NumberText(result.Length) + (result.Exact ? " (exact optimum)" : " (best found)");
}

int RunOptimum(const Arguments& arguments) {
    Args args(arguments, {"--time-limit"}, {"--json"});
    if (args.WantsHelp()) {
        std::cout << kOptimumHelp;
        return 0;
    }
    if (args.Positional().size() != 1)
        throw UsageError("exactly one map file is needed");
    const double timeLimit = args.Real("--time-limit", reference::kDefaultTimeLimit, 0, 1e6);
    TTSPMap map;
    TDisplayFlags flags;
    map.LoadFromFile(args.Positional().front(), flags);
    PrintOptimum(map, ComputeReference(map, timeLimit), args.Has("--json"));
    return 0;
}

} // namespace cli
