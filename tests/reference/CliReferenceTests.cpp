// trasolan-cli optimum, and --reference of solve and crossover-test, run as
// the user runs them; the JSON read back and checked against the map file.

#include "ReferenceTestSupport.h"
#include "solver/MiniJson.h"
#include "solver/SolverTestMaps.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using solver_test::Json;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::filesystem::path Scratch() {
    static const std::filesystem::path folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("cli_reference_" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The scratch folder goes when the tests end.
class ScratchFolder : public ::testing::Environment {
public:
    void TearDown() override { std::filesystem::remove_all(Scratch()); }
};
const auto* const kScratchFolder = ::testing::AddGlobalTestEnvironment(new ScratchFolder);

Outcome RunCli(const std::string& arguments) {
    const std::string errors = (Scratch() / "stderr.txt").string();
    const std::string command = std::string(TRASOLAN_CLI_PATH) + " " + arguments + " 2>" + errors;
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        outcome.out.append(buffer, n);
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errors);
    std::stringstream text;
    text << in.rdbuf();
    outcome.err = text.str();
    return outcome;
}

std::string SaveMap(const TTSPMap& map, const std::string& name) {
    const std::string path = (Scratch() / name).string();
    TDisplayFlags flags;
    map.SaveToFile(path, flags);
    return path;
}

TTSPMap LoadMap(const std::string& path) {
    TTSPMap map;
    TDisplayFlags flags;
    map.LoadFromFile(path, flags);
    return map;
}

} // namespace

TEST(CliReference, OptimumPrintsTheProvenOptimumAsJson) {
    TTSPMap map;
    solver_test::RandomSolvableMap(map, 21, 30, 25, 7, 20);
    const std::string file = SaveMap(map, "seven.ga");
    const Outcome outcome = RunCli("optimum " + file + " --json");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const Json json = Json::Parse(outcome.out);
    EXPECT_EQ(json.size(), 4u); // length, exact, route_ids, elapsed_seconds
    EXPECT_TRUE(json["exact"].boolean);
    EXPECT_GE(json["elapsed_seconds"].number, 0);

    TTSPMap loaded = LoadMap(file);
    reference::TReferenceResult result;
    result.Length = json["length"].number;
    for (const Json& id : json["route_ids"].items)
        result.RouteIds.push_back(static_cast<int32_t>(id.number));
    EXPECT_NEAR(result.Length, reference_test::BruteForceLength(loaded), 1e-9 * result.Length);
    reference_test::ExpectSolverAccepts(loaded, result);
}

TEST(CliReference, OptimumRefusesAnUnsolvableTaskAsSolveDoes) {
    TTSPMap map;
    solver_test::PathMap(map, 4, {2});
    const std::string file = SaveMap(map, "one.ga");
    const Outcome optimum = RunCli("optimum " + file);
    const Outcome solve = RunCli("solve " + file);
    EXPECT_EQ(optimum.status, 1);
    EXPECT_NE(optimum.err.find("Выделеных городов должно быть более двух"), std::string::npos)
        << optimum.err;
    EXPECT_EQ(optimum.err.substr(optimum.err.find(':')), solve.err.substr(solve.err.find(':')));
}

TEST(CliReference, SolveAndCrossoverTestGiveTheGapToTheReference) {
    TTSPMap map;
    solver_test::RandomSolvableMap(map, 22, 30, 30, 9);
    const std::string file = SaveMap(map, "nine.ga");
    const double optimum = Json::Parse(RunCli("optimum " + file + " --json").out)["length"].number;
    const auto expectGap = [&](const Json& reference, double length) {
        EXPECT_EQ(reference.size(), 3u); // length, exact, gap_percent
        EXPECT_DOUBLE_EQ(reference["length"].number, optimum);
        EXPECT_TRUE(reference["exact"].boolean);
        EXPECT_NEAR(reference["gap_percent"].number, (length - optimum) / optimum * 100, 1e-9);
        EXPECT_GE(reference["gap_percent"].number, -1e-9); // no route beats the optimum
    };

    const Outcome solve = RunCli("solve " + file + " --seed 3 --reference --json");
    ASSERT_EQ(solve.status, 0) << solve.err;
    const Json run = Json::Parse(solve.out);
    expectGap(run["reference"], run["best_length"].number);

    const Outcome test =
        RunCli("crossover-test " + file + " --seed 3 --stop-generations 20 --reference --json");
    ASSERT_EQ(test.status, 0) << test.err;
    const Json table = Json::Parse(test.out);
    double best = 1e300;
    for (const Json& row : table["rows"].items) {
        expectGap(row["reference"], row["mean_length"].number);
        for (const Json& each : row["runs"].items) {
            EXPECT_NEAR(each["gap_percent"].number,
                        (each["best_length"].number - optimum) / optimum * 100, 1e-9);
            best = std::min(best, each["best_length"].number);
        }
    }
    expectGap(table["reference"], best);
}
