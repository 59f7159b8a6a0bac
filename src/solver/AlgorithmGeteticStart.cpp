// The start of a fresh run: the memory it needs, the distance table and the
// initial population, with progress reports through which the user can stop
// a start that takes long.

#include "solver/AlgorithmGetetic.h"

#include "core/NumberText.h"
#include "core/ProgressPoll.h"
#include "core/TSPErrors.h"
#include "solver/AlgorithmGeteticImpl.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace solver {

namespace {

// Bytes a chromosome takes besides its genes: the reference in the
// population, the object on the heap, its length beside it, and the heap's
// bookkeeping for the object and for the gene block.
constexpr int64_t kChromosomeOverhead = 8 + 48 + 8 + 16;

// The measuring of the route length stops after this many routes or this
// long, whichever comes first.
constexpr int kSampleRoutes = 8;
constexpr auto kSampleTime = std::chrono::milliseconds(50);

int64_t PopulationBytes(int64_t size, double genesPerRoute) {
    return static_cast<int64_t>(
        std::ceil(static_cast<double>(size) * (kChromosomeOverhead + 4.0 * genesPerRoute)));
}

// "2,2 ГБ": gibibytes with one decimal, two when one would round to the limit.
std::string GibibytesText(int64_t bytes) {
    const double gib = static_cast<double>(bytes) / static_cast<double>(int64_t{1} << 30);
    const double scale = gib < 1.05 ? 100.0 : 10.0;
    return FloatToStr(std::round(gib * scale) / scale) + " ГБ";
}

} // namespace

TStartMemory TTSPPopulation::EstimateStartMemory() const {
    TStartMemory memory;
    const int64_t nodes = map_.Count();
    memory.MatrixBytes = nodes * nodes * static_cast<int64_t>(sizeof(double));
    memory.GenesPerRoute = SampleGenesPerRoute();
    memory.Sampled = true;
    memory.PopulationBytes = PopulationBytes(std::max(populationSize_, 0), memory.GenesPerRoute);
    return memory;
}

void TTSPPopulation::CheckStartMemory() const {
    // A road walk visits no node twice, so a route has at most
    // 1 + (k - 1)(n - 1) genes; only when that bound does not fit are the
    // routes measured.
    const int64_t nodes = map_.Count();
    const int64_t walks = std::max(map_.SelectedCities().Count() - 1, 0);
    const double most =
        walks > 0 ? 1.0 + static_cast<double>(walks * std::max(nodes - 1, int64_t{0})) : 0.0;
    const int64_t matrix = nodes * nodes * static_cast<int64_t>(sizeof(double));
    if (matrix + PopulationBytes(std::max(populationSize_, 0), most) <= kStartMemoryLimit)
        return;
    const TStartMemory memory = EstimateStartMemory();
    if (memory.Total() <= kStartMemoryLimit)
        return;
    const std::string needed = GibibytesText(memory.Total());
    const std::string limit = GibibytesText(kStartMemoryLimit);
    if (memory.PopulationBytes >= memory.MatrixBytes) {
        throw ETSPError("Для популяции нужно около " + needed + " памяти, больше допустимых " +
                        limit + ". Уменьшите число хромосом.");
    }
    throw ETSPError("Для матрицы расстояний и популяции нужно около " + needed +
                    " памяти, больше допустимых " + limit + ". Уменьшите число узлов карты.");
}

double TTSPPopulation::SampleGenesPerRoute() const {
    const int64_t walks = std::max(map_.SelectedCities().Count() - 1, 0);
    if (walks == 0)
        return 0;
    // The routes the population would draw first, on a copy of its generator.
    TRandom probe = *random_;
    const auto deadline = TProgressPoll::Clock::now() + kSampleTime;
    TProgressPoll poll(
        [deadline](int64_t, int64_t) { return TProgressPoll::Clock::now() < deadline; },
        TProgressPoll::Clock::duration::zero());
    int64_t steps = 0; // genes after the first of each route: one per road taken
    TIntegerArray route;
    for (int r = 0; r < kSampleRoutes; ++r) {
        const bool complete = map_.RandomRoute(route, probe, &poll);
        steps += std::max(route.Count() - 1, 0);
        if (!complete)
            break;
    }
    // Walks finished, the last one possibly of an unfinished route.
    const int64_t walked = poll.Done();
    if (walked == 0) {
        // Not even one walk in the time: the most a route can have.
        return 1.0 + static_cast<double>(walks * std::max(map_.Count() - 1, 0));
    }
    return 1.0 +
           static_cast<double>(walks) * static_cast<double>(steps) / static_cast<double>(walked);
}

bool TTSPPopulation::DrawInitialRoutes(std::vector<TIntegerArray>& routes, TProgressPoll* poll) {
    routes.assign(static_cast<size_t>(std::max(populationSize_, 0)), TIntegerArray());
    TIntegerArray route;
    for (TIntegerArray& stored : routes) {
        if (!map_.RandomRoute(route, *random_, poll))
            return false;
        // A copy of the exact size: the walks left the scratch list with room
        // to spare, which a large population would hold for nothing.
        stored.Items().assign(route.begin(), route.end());
    }
    return true;
}

bool TTSPPopulation::StartFresh() {
    // During the start the state is "running", so that a Run from inside a
    // progress handler returns at once, and a Stop or pause there is seen.
    const TRandom saved = *random_;
    state_ = stRunning;
    TStartStage stage = TStartStage::DistanceMatrix;
    std::optional<TProgressPoll> poll;
    if (onStartProgress_) {
        poll.emplace(
            [this, &stage](int64_t done, int64_t total) {
                onStartProgress_(*this, stage, done, total);
                return state_ == stRunning;
            },
            startProgressInterval_);
    }
    TProgressPoll* progress = poll ? &*poll : nullptr;
    try {
        // The map's table and the population change only once both are made.
        std::vector<double> table;
        const bool tableCurrent = map_.DistanceMatrixCurrent();
        bool made = tableCurrent || map_.ComputeDistanceMatrix(table, progress);
        if (made) {
            stage = TStartStage::Routes;
            if (progress)
                progress->Begin(static_cast<int64_t>(std::max(populationSize_, 0)) *
                                std::max(map_.SelectedCities().Count() - 1, 0));
            std::vector<TIntegerArray> routes;
            made = DrawInitialRoutes(routes, progress);
            if (made) {
                if (!tableCurrent)
                    map_.SetDistanceMatrix(std::move(table));
                SetChromosomes(std::move(routes));
                return true;
            }
        }
    } catch (...) {
        *random_ = saved;
        throw;
    }
    // Stopped by a handler: everything as it was, the run not started.
    *random_ = saved;
    state_ = stStopped;
    return false;
}

} // namespace solver
