// trasolan-cli solve and crossover-test, run as the user runs them. Results
// are read from --json and checked against the map file itself: every best
// route is valid and its length is the sum of its steps.

#include "MiniJson.h"
#include "SolverTestMaps.h"
#include "map/TSPMap.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace solver_test;

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program with the arguments; with interruptAfter, sends SIGINT that
// many milliseconds after the start.
// Long enough for the program to be well into its run when Ctrl+C comes, also
// on a loaded machine under the sanitizers; the runs it interrupts would go on
// for a minute.
constexpr int kInterruptAfter = 2500; // ms

Outcome RunCli(const std::vector<std::string>& arguments, int interruptAfter = -1) {
    int outPipe[2], errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0)
        throw std::runtime_error("pipe");
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outPipe[1], STDOUT_FILENO);
        dup2(errPipe[1], STDERR_FILENO);
        close(outPipe[0]);
        close(errPipe[0]);
        close(outPipe[1]);
        close(errPipe[1]);
        std::vector<char*> argv;
        std::string program = TRASOLAN_CLI_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copy = arguments;
        for (std::string& argument : copy)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    Outcome outcome;
    const auto start = std::chrono::steady_clock::now();
    bool interrupted = false;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, 20) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? outcome.out : outcome.err).append(buffer, static_cast<size_t>(n));
            }
        }
        if (interruptAfter >= 0 && !interrupted &&
            std::chrono::steady_clock::now() - start > std::chrono::milliseconds(interruptAfter)) {
            kill(pid, SIGINT);
            interrupted = true;
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

class CliSolve : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        directory = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                              ("cli_solve_" + std::to_string(getpid())));
        std::filesystem::create_directories(*directory);
        TTSPMap map;
        RandomSolvableMap(map, 9, 22, 25, 9, 20);
        // Names that JSON has to escape.
        map.SetCityName(map.SelectedCities()[1], "Say \"hi\" \\ there");
        TDisplayFlags flags;
        map.SaveToFile(MapPath(), flags);
    }
    static void TearDownTestSuite() {
        std::filesystem::remove_all(*directory);
        delete directory;
    }
    static std::string MapPath() { return (*directory / "map.ga").string(); }

    static TTSPMap LoadMap() {
        TTSPMap map;
        TDisplayFlags flags;
        map.LoadFromFile(MapPath(), flags);
        return map;
    }

    static Json Solve(std::vector<std::string> options) {
        options.insert(options.begin(), {"solve", MapPath(), "--json"});
        const Outcome outcome = RunCli(options);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.err, "") << "no progress line when stderr is no terminal";
        return Json::Parse(outcome.out);
    }

    // The route is valid on the map and its length is the sum of its steps.
    static void ExpectValidResult(const Json& result) {
        TTSPMap map = LoadMap();
        map.BuildDistanceMatrix();
        TIntegerArray route;
        for (const Json& id : result["route_ids"].items)
            route.Add(static_cast<int32_t>(id.number));
        ASSERT_GE(route.Count(), 2);
        EXPECT_TRUE(map.IsValidRoute(route));
        EXPECT_TRUE(map.ContainsAllSelected(route));
        double length = 0;
        for (int32_t i = 0; i + 1 < route.Count(); ++i)
            length += map.GetPath(route[i], route[i + 1]);
        EXPECT_EQ(result["best_length"].number, length);
        ASSERT_EQ(result["route"].size(), static_cast<size_t>(route.Count()));
        for (int32_t i = 0; i < route.Count(); ++i)
            EXPECT_EQ(result["route"][static_cast<size_t>(i)].text, map.City(route[i]).Name);
    }

    static std::filesystem::path* directory;
};

std::filesystem::path* CliSolve::directory = nullptr;

} // namespace

TEST_F(CliSolve, ASeedReplaysTheRunAndTheRouteIsValid) {
    const Json first = Solve({"--seed", "5"});
    const Json second = Solve({"--seed", "5"});
    ExpectValidResult(first);
    EXPECT_EQ(first["best_length"].number, second["best_length"].number);
    EXPECT_EQ(first["generations"].number, second["generations"].number);
    EXPECT_EQ(first["crossovers"].number, second["crossovers"].number);
    EXPECT_EQ(first["mutations"].number, second["mutations"].number);
    EXPECT_EQ(first["seed"].number, 5);
    EXPECT_EQ(first["ended_by"].text, "criterion");
    // The panel's initial settings.
    const Json& settings = first["settings"];
    EXPECT_EQ(settings["population"].number, 100);
    EXPECT_EQ(settings["crossover"].text, "OP");
    EXPECT_EQ(settings["mutation"].text, "Случайно");
    EXPECT_EQ(settings["selection"].text, "Рулетка");
    EXPECT_EQ(settings["crossover_rate"].number, 0.8);
    EXPECT_EQ(settings["mutation_rate"].number, 0.2);
    EXPECT_FALSE(settings["elitism"].boolean);
    EXPECT_EQ(settings["elite"].number, 50);
    EXPECT_TRUE(settings["adaptive"].boolean);
    EXPECT_EQ(settings["stop"].text, "Решение постоянно");
    EXPECT_EQ(settings["stop_generations"].number, 250);
    // Per-kind counters with the adaptive choice.
    EXPECT_EQ(first["crossovers_by_kind"].size(), 5u);
    EXPECT_EQ(first["kinds_in_population"].size(), 5u);
    EXPECT_FALSE(Solve({"--seed", "5", "--no-adaptive"}).Has("crossovers_by_kind"));
}

TEST_F(CliSolve, WithoutASeedTheClockSeedIsPrintedAndReplays) {
    const Json first = Solve({"--stop", "generations", "--stop-generations", "20"});
    const std::string seed = std::to_string(static_cast<uint64_t>(first["seed"].number));
    const Json again = Solve({"--stop", "generations", "--stop-generations", "20", "--seed", seed});
    EXPECT_EQ(first["best_length"].number, again["best_length"].number);
    EXPECT_EQ(first["crossovers"].number, again["crossovers"].number);
}

TEST_F(CliSolve, TextOutput) {
    const Outcome outcome = RunCli(
        {"solve", MapPath(), "--seed", "3", "--stop", "generations", "--stop-generations", "15"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    for (const char* line : {"best length:", "route:", "route IDs:", "generations:        15",
                             "crossovers:", "mutations:", "crossovers by kind: OP ",
                             "elapsed:", "seed:               3"})
        EXPECT_NE(outcome.out.find(line), std::string::npos) << line << "\n" << outcome.out;
    // The length line reads back as the JSON's number.
    const Json json = Solve({"--seed", "3", "--stop", "generations", "--stop-generations", "15"});
    const size_t at = outcome.out.find("best length:");
    EXPECT_EQ(std::strtod(outcome.out.c_str() + at + 12, nullptr), json["best_length"].number);
}

TEST_F(CliSolve, StopCriteriaAndLimitsEndTheRun) {
    EXPECT_EQ(
        Solve({"--seed", "1", "--stop", "generations", "--stop-generations", "10"})["generations"]
            .number,
        10);
    EXPECT_EQ(Solve({"--seed", "1", "--stop", "constant", "--stop-generations", "0"})["generations"]
                  .number,
              1);
    const Json limited = Solve({"--seed", "1", "--stop", "none", "--max-generations", "7"});
    EXPECT_EQ(limited["generations"].number, 7);
    EXPECT_EQ(limited["ended_by"].text, "max-generations");
    ExpectValidResult(limited);
    const Json timed = Solve({"--seed", "1", "--stop", "none", "--time-limit", "0.3"});
    EXPECT_EQ(timed["ended_by"].text, "time-limit");
    EXPECT_GE(timed["elapsed_seconds"].number, 0.3);
    EXPECT_LT(timed["elapsed_seconds"].number, 10);
    ExpectValidResult(timed);
}

TEST_F(CliSolve, OperatorNamesAsShownAndAsAsciiWords) {
    struct Case {
        std::string option, value, field, shown;
    };
    const std::vector<Case> cases = {
        {"--crossover", "Triangle", "crossover", "Triangle"},
        {"--crossover", "triangle", "crossover", "Triangle"},
        {"--crossover", "CUBX", "crossover", "CUBX"},
        {"--crossover", "sop", "crossover", "SOP"},
        {"--mutation", "TwoRandom", "mutation", "TwoRandom"},
        {"--mutation", "Two-Random", "mutation", "TwoRandom"},
        {"--mutation", "Не использовать", "mutation", "Не использовать"},
        {"--mutation", "random", "mutation", "Случайно"},
        {"--selection", "Турнир", "selection", "Турнир"},
        {"--selection", "Случайно", "selection", "Случайно"},
        {"--selection", "ROULETTE", "selection", "Рулетка"},
        {"--stop", "Всего поколений", "stop", "Всего поколений"},
        {"--stop", "None", "stop", "Не использовать"},
    };
    for (const Case& c : cases) {
        const Json result = Solve({"--seed", "2", c.option, c.value, "--max-generations", "5"});
        EXPECT_EQ(result["settings"][c.field].text, c.shown) << c.value;
        ExpectValidResult(result);
    }
    EXPECT_EQ(Solve({"--seed", "2", "--mutation", "none", "--stop-generations", "20"})["mutations"]
                  .number,
              0);
    for (const auto& [option, value] :
         std::vector<std::pair<std::string, std::string>>{{"--crossover", "XO"},
                                                          {"--mutation", "СЛУЧАЙНО"},
                                                          {"--selection", "wheel"},
                                                          {"--stop", "never"}}) {
        const Outcome outcome = RunCli({"solve", MapPath(), option, value});
        EXPECT_EQ(outcome.status, 2) << value;
        EXPECT_NE(outcome.err.find("unknown"), std::string::npos) << outcome.err;
    }
}

TEST_F(CliSolve, SettingsThatCannotRunAreRefused) {
    Outcome outcome = RunCli({"solve", MapPath(), "--population", "1"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Число хромосом в популяции должно быть не меньше двух"),
              std::string::npos)
        << outcome.err;
    outcome = RunCli({"solve", MapPath(), "--elitism", "--elite", "101"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Размер элиты (101)"), std::string::npos) << outcome.err;
    EXPECT_EQ(RunCli({"solve", MapPath(), "--adaptive", "--no-adaptive"}).status, 2);
    EXPECT_EQ(RunCli({"solve", MapPath(), "--population", "40000"}).status, 2);
    EXPECT_EQ(RunCli({"solve", MapPath(), "--crossover-rate", "101"}).status, 2);
    EXPECT_EQ(RunCli({"solve", MapPath(), "--time-limit", "0"}).status, 2);
    EXPECT_EQ(RunCli({"solve"}).status, 2);
    EXPECT_EQ(RunCli({"solve", (*directory / "missing.ga").string()}).status, 1);
    EXPECT_EQ(RunCli({"solve", "--help"}).status, 0);
}

TEST_F(CliSolve, ElitismRuns) {
    const Json result = Solve({"--seed", "8", "--elitism", "--elite", "12", "--population", "30",
                               "--stop-generations", "30"});
    EXPECT_TRUE(result["settings"]["elitism"].boolean);
    ExpectValidResult(result);
}

TEST_F(CliSolve, CtrlCStopsLikeTheStopButtonAndStillPrintsTheResult) {
    const Outcome outcome = RunCli(
        {"solve", MapPath(), "--json", "--seed", "4", "--stop", "none", "--time-limit", "60"},
        kInterruptAfter);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const Json result = Json::Parse(outcome.out);
    EXPECT_EQ(result["ended_by"].text, "interrupt");
    EXPECT_LT(result["elapsed_seconds"].number, 30);
    ExpectValidResult(result);
}

TEST_F(CliSolve, CrossoverTestTable) {
    const Outcome outcome =
        RunCli({"crossover-test", MapPath(), "--json", "--seed", "3", "--population", "20",
                "--stop", "generations", "--stop-generations", "6"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const Json result = Json::Parse(outcome.out);
    const std::vector<std::string> kinds = {"OP", "PMX", "Triangle", "SOP", "CUBX", "Adaptive"};
    ASSERT_EQ(result["rows"].size(), 6u);
    double results = 0, times = 0, generations = 0;
    for (size_t i = 0; i < 6; ++i) {
        const Json& row = result["rows"][i];
        EXPECT_EQ(row["kind"].text, kinds[i]);
        ASSERT_EQ(row["runs"].size(), 1u);
        EXPECT_EQ(row["runs"][0]["generations"].number, 6);
        EXPECT_EQ(row["runs"][0]["seed"].number, 3);
        results += row["result_percent"].number;
        times += row["time_percent"].number;
        generations += row["generations_percent"].number;
    }
    EXPECT_NEAR(results, 100, 1e-9);
    EXPECT_NEAR(generations, 100, 1e-9);
    EXPECT_TRUE(std::abs(times - 100) < 1e-9 || times == 0);

    const Outcome text = RunCli({"crossover-test", MapPath(), "--seed", "3", "--population", "20",
                                 "--stop", "generations", "--stop-generations", "6"});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const std::string& kind : kinds)
        EXPECT_NE(text.out.find("\n" + kind + " "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("result %"), std::string::npos);
}

TEST_F(CliSolve, CrossoverTestRepeats) {
    const Outcome outcome =
        RunCli({"crossover-test", MapPath(), "--json", "--seed", "10", "--repeats", "3",
                "--population", "16", "--stop", "generations", "--stop-generations", "4"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const Json result = Json::Parse(outcome.out);
    EXPECT_EQ(result["repeats"].number, 3);
    double sum = 0;
    for (size_t i = 0; i < 6; ++i) {
        const Json& row = result["rows"][i];
        ASSERT_EQ(row["runs"].size(), 3u);
        double mean = 0, best = 1e300;
        for (size_t r = 0; r < 3; ++r) {
            EXPECT_EQ(row["runs"][r]["seed"].number, 10 + static_cast<double>(r));
            mean += row["runs"][r]["best_length"].number / 3;
            best = std::min(best, row["runs"][r]["best_length"].number);
        }
        EXPECT_NEAR(row["mean_length"].number, mean, 1e-9 * mean);
        EXPECT_EQ(row["best_length"].number, best);
        EXPECT_GE(row["stddev_length"].number, 0);
        sum += row["result_percent"].number;
    }
    EXPECT_NEAR(sum, 100, 1e-9);
    const Outcome text =
        RunCli({"crossover-test", MapPath(), "--seed", "10", "--repeats", "2", "--population", "16",
                "--stop", "generations", "--stop-generations", "4"});
    EXPECT_NE(text.out.find("std dev"), std::string::npos) << text.out;
}

TEST_F(CliSolve, CrossoverTestNeedsRunsThatEnd) {
    const Outcome outcome = RunCli({"crossover-test", MapPath(), "--stop", "none"});
    EXPECT_EQ(outcome.status, 2);
    const Outcome limited = RunCli({"crossover-test", MapPath(), "--json", "--stop", "none",
                                    "--max-generations", "3", "--population", "10"});
    ASSERT_EQ(limited.status, 0) << limited.err;
    EXPECT_EQ(Json::Parse(limited.out)["rows"][5]["runs"][0]["generations"].number, 3);
    EXPECT_EQ(RunCli({"crossover-test", MapPath(), "--repeats", "0"}).status, 2);
}

TEST_F(CliSolve, CtrlCEndsTheCrossoverTest) {
    const Outcome outcome = RunCli({"crossover-test", MapPath(), "--json", "--seed", "4", "--stop",
                                    "none", "--time-limit", "60"},
                                   kInterruptAfter);
    EXPECT_EQ(outcome.status, 130);
    const Json result = Json::Parse(outcome.out);
    EXPECT_TRUE(result["aborted"].boolean);
    EXPECT_EQ(result["rows"][0]["runs"].size(), 1u);
    EXPECT_EQ(result["rows"][1]["runs"].size(), 0u);
}

TEST_F(CliSolve, CrossoverTestJobsGiveTheSameTable) {
    // Everything but the two time columns (characters 49-62 and 86-94 of the
    // 110-character rows), which depend on the machine.
    auto withoutTimes = [](const Outcome& outcome) {
        std::string kept;
        std::istringstream lines(outcome.out);
        for (std::string line; std::getline(lines, line);) {
            if (line.size() >= 110)
                line = line.substr(0, 49) + line.substr(63, 23) + line.substr(95);
            kept += line + "\n";
        }
        return kept;
    };
    const std::vector<std::string> test = {"crossover-test", MapPath(), "--repeats",          "3",
                                           "--seed",         "8",       "--stop-generations", "40"};
    std::vector<std::string> one = test, two = test;
    one.insert(one.end(), {"--jobs", "1"});
    two.insert(two.end(), {"--jobs", "2"});
    const Outcome single = RunCli(one);
    const Outcome parallel = RunCli(two);
    ASSERT_EQ(single.status, 0) << single.err;
    ASSERT_EQ(parallel.status, 0) << parallel.err;
    EXPECT_EQ(withoutTimes(parallel), withoutTimes(single));
    EXPECT_NE(single.out.find("Adaptive"), std::string::npos);

    // And every run's own figures, from the JSON.
    one.push_back("--json");
    two.push_back("--json");
    const Json a = Json::Parse(RunCli(one).out);
    const Json b = Json::Parse(RunCli(two).out);
    for (size_t row = 0; row < 6; ++row) {
        ASSERT_EQ(a["rows"][row]["runs"].size(), 3u);
        ASSERT_EQ(b["rows"][row]["runs"].size(), 3u);
        for (size_t run = 0; run < 3; ++run) {
            const Json& x = a["rows"][row]["runs"][run];
            const Json& y = b["rows"][row]["runs"][run];
            for (const char* key :
                 {"seed", "best_length", "generations", "crossovers", "mutations"})
                EXPECT_EQ(x[key].number, y[key].number) << row << " " << run << " " << key;
        }
    }
}

TEST_F(CliSolve, APopulationBeyondTheMemoryLimitIsRefused) {
    TTSPMap map;
    RandomSolvableMap(map, 31, 300, 3, 150);
    const std::string path = (*directory / "long-routes.ga").string();
    TDisplayFlags flags;
    map.SaveToFile(path, flags);
    const Outcome outcome = RunCli({"solve", path, "--population", "32767", "--seed", "1"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("Для популяции нужно около "), std::string::npos) << outcome.err;
    EXPECT_NE(outcome.err.find("больше допустимых 1 ГБ. Уменьшите число хромосом."),
              std::string::npos)
        << outcome.err;
}
