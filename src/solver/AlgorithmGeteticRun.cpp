// The generation step (elitist and selective schemes, parent selection, the
// self-adapting choice of the crossover kind) and the run loop.

#include "solver/AlgorithmGetetic.h"

#include "core/RandomUnit.h"
#include "profiler/Profiler.h"
#include "solver/AlgorithmGeteticImpl.h"

#include <algorithm>
#include <cmath>

namespace solver {

namespace {

// The roulette wheel repeats its two draws until they name different
// chromosomes. When one chromosome holds (nearly) the whole wheel that takes
// practically forever; after this many tries the pair is drawn uniformly. A
// wheel with shares of at most a half gets there with odds below 2^-1000.
constexpr int kRouletteTries = 1000;

// RandomReal below 1 rejects draws of [0, 1) that are not below x, on average
// 1/x of them. For a vanishing x the rest are scaled instead of rejected.
constexpr int kRandomRealTries = 1 << 16;

// The first position of the non-decreasing `sum` whose value reaches r (the
// last position when none does), as a scan from position 0 finds it. The
// lengths of a population are much alike, so the position r / total of the
// way along (`guess`) is mostly right or next to it: a few steps from there
// settle it, and a binary search on the side it lies on does otherwise.
int32_t FirstReaching(const double* sum, int32_t count, double r, double guess) {
    int32_t at = 0;
    if (guess >= count - 1)
        at = count - 1;
    else if (guess > 0)
        at = static_cast<int32_t>(guess);
    for (int steps = 0; steps < 4; ++steps) {
        if (sum[at] < r) {
            if (at == count - 1)
                return at;
            ++at;
        } else if (at > 0 && sum[at - 1] >= r) {
            --at;
        } else {
            return at;
        }
    }
    if (sum[at] < r) {
        const double* found = std::lower_bound(sum + at + 1, sum + count, r);
        return found == sum + count ? count - 1 : static_cast<int32_t>(found - sum);
    }
    return static_cast<int32_t>(std::lower_bound(sum, sum + at, r) - sum);
}

} // namespace

// --- Random real and parent selection ------------------------------------------------

double TTSPPopulation::RandomReal(double x) {
    // No value lies in [0, x) for x <= 0 (or NaN): the plain loop would never end.
    if (!(x > 0))
        return 0;
    // Rnd takes a 32-bit range; beyond it one scaled real draw serves.
    if (x >= 2147483648.0) {
        double r;
        do
            r = random_->RndReal() * x;
        while (!(r < x));
        return r;
    }
    const int32_t whole = static_cast<int32_t>(x); // Trunc(x)
    for (int tries = 0; tries < kRandomRealTries; ++tries) {
        const double r = random_->Rnd(whole) + random_->RndReal();
        if (r < x)
            return r;
    }
    return random_->RndReal() * x;
}

void TTSPPopulation::UniformDistinctParents(int32_t& p1, int32_t& p2) {
    const int32_t count = ChromosomeCount();
    do {
        p1 = random_->Rnd(count);
        p2 = random_->Rnd(count);
    } while (p1 == p2);
}

int32_t TTSPPopulation::TournamentWinner() {
    const int32_t count = ChromosomeCount();
    int32_t x, y;
    do {
        x = random_->Rnd(count);
        y = random_->Rnd(count);
    } while (x == y);
    // On equal length the second drawn wins.
    return Fitness(x) < Fitness(y) ? x : y;
}

void TTSPPopulation::RouletteParents(int32_t& p1, int32_t& p2) {
    const int32_t count = ChromosomeCount();
    std::vector<double>& sums = impl_->runningSums;
    if (!impl_->runningSumsCurrent || sums.size() != static_cast<size_t>(count)) {
        sums.resize(static_cast<size_t>(count));
        double running = 0;
        for (int32_t i = 0; i < count; ++i) {
            running += Fitness(i);
            sums[static_cast<size_t>(i)] = running;
        }
        impl_->runningSumsCurrent = true;
    }
    const double total = sums.back();
    // A wheel without length (every route of length 0) cannot be spun.
    if (!(total > 0) || !std::isfinite(total)) {
        UniformDistinctParents(p1, p2);
        return;
    }
    const double* sum = sums.data();
    const double perLength = count / total;
    auto spin = [&]() {
        const double r = RandomReal(total);
        return FirstReaching(sum, count, r, r * perLength);
    };
    p1 = -1;
    p2 = -1;
    for (int tries = 0; p1 == p2; ++tries) {
        if (tries == kRouletteTries) {
            UniformDistinctParents(p1, p2);
            return;
        }
        p1 = spin();
        p2 = spin();
    }
}

void TTSPPopulation::SelectParents(int32_t& p1, int32_t& p2) {
    const int32_t count = ChromosomeCount();
    // Tournament and roulette need two different chromosomes.
    if (count < 2 && selectionKind_ != skRandom) {
        p1 = 0;
        p2 = 0;
        return;
    }
    switch (selectionKind_) {
    case skTournament:
        p1 = TournamentWinner();
        p2 = TournamentWinner();
        break;
    case skRoulette:
        RouletteParents(p1, p2);
        break;
    default: // skRandom; CheckSettings refuses other codes before a run
        p1 = random_->Rnd(count);
        p2 = random_->Rnd(count);
        break;
    }
}

void TTSPPopulation::ChooseAdaptiveKind() {
    int32_t total = 0;
    for (int32_t count : kindCurrent_)
        total += count;
    if (total == 0) {
        crossoverKind_ = static_cast<uint8_t>(random_->Rnd(kCrossoverKinds));
        return;
    }
    // A kind is chosen with the share of the population its children hold...
    const double r = random_->RndReal();
    double share = 0;
    for (int kind = 0; kind < kCrossoverKinds; ++kind) {
        share += static_cast<double>(kindCurrent_[static_cast<size_t>(kind)]) / total;
        if (share >= r) {
            crossoverKind_ = static_cast<uint8_t>(kind);
            break;
        }
    }
    // ...and a kind that holds nothing gets a small chance to come back.
    for (int kind = 0; kind < kCrossoverKinds; ++kind)
        if (kindCurrent_[static_cast<size_t>(kind)] == 0 && random_->Rnd(100) < 3)
            crossoverKind_ = static_cast<uint8_t>(kind);
}

// --- One generation ------------------------------------------------------------------

void TTSPPopulation::EnsureIndex() {
    if (impl_->indexCurrent)
        return;
    impl_->index.Refresh(map_);
    impl_->indexCurrent = true;
}

void TTSPPopulation::HandlePair(int32_t p1, int32_t p2) {
    if (!(random_->RndReal() < crossoverRate_))
        return;
    bool valid1 = false;
    bool valid2 = false;
    EnsureIndex();
    CrossoverChildren(p1, p2, impl_->child1, impl_->child2, valid1, valid2, true);
    SaturatingIncrement(crossoverCounter_);
    // Child 2 meets the worst chromosome left after child 1 was handled (and
    // the map as a new-best handler may have left it).
    if (valid1)
        ConsiderChild(impl_->child1, impl_->check1);
    if (valid2) {
        if (!impl_->indexCurrent) {
            // A new-best handler may have changed the map since child 2 was
            // checked: its length is summed afresh, as the plain step does.
            TChildCheck& check = impl_->check2;
            if (check.copyOf >= 0)
                impl_->child2.Genes = chromosomes_[static_cast<size_t>(check.copyOf)]->Genes;
            check.copyOf = -1;
            check.exact = false;
            check.measured = false;
        }
        ConsiderChild(impl_->child2, impl_->check2);
    }
}

void TTSPPopulation::NextGeneration() {
    TRASOLAN_PROFILE("_TTSPPopulation.NextGeneration");
    const int32_t count = ChromosomeCount();
    if (count == 0)
        return;
    // The map may have changed since the last generation (the event handler
    // pumps the user's edits).
    impl_->indexCurrent = false;
    // Fresh working children for the generation.
    impl_->child1.Clear();
    impl_->child1.Origin = 0;
    impl_->child2.Clear();
    impl_->child2.Origin = 0;

    if (elitism_) {
        // The elite never reaches past the population, even when elitism is
        // switched on during a run with a larger elite size.
        const int32_t elite = std::clamp(eliteSize_, 0, count);
        for (int32_t i = 0; i < elite; ++i)
            for (int32_t j = i + 1; j < count; ++j)
                if (Fitness(i) > Fitness(j))
                    SwapChromosomes(i, j);
        UpdateBestWorst();
        for (int32_t i = 0; i + 1 < elite; ++i)
            for (int32_t j = i + 1; j < elite; ++j)
                HandlePair(i, j);
    } else {
        for (int32_t k = 0; k < count; k += 2) {
            if (adaptiveChoice_)
                ChooseAdaptiveKind();
            int32_t p1 = 0;
            int32_t p2 = 0;
            SelectParents(p1, p2);
            HandlePair(p1, p2);
        }
    }
    if (stopCriterion_ == scConstantBest || stopCriterion_ == scGenerations)
        SaturatingIncrement(stopCounter_);
}

// --- The run loop ----------------------------------------------------------------------

void TTSPPopulation::Run() {
    if (state_ == stRunning)
        return; // a loop is already active further up the call stack
    CheckSettings();
    // A paused run goes on with its population, Generation and counters.
    const bool resume = state_ == stPaused && !chromosomes_.empty();
    if (!resume)
        CheckStartMemory();
    try {
        if (!resume && !StartFresh())
            return; // a progress handler stopped the start
        state_ = stRunning;
        stopCounter_ = 0;
        while (state_ == stRunning) {
            NextGeneration();
            SaturatingIncrement(generation_);
            if (onGeneration_) {
                // (A handler may have emptied the population through the pump.)
                const double worst = chromosomes_.empty() ? 0.0 : Fitness(worstIndex_);
                onGeneration_(*this, generation_, bestFitness_, worst);
            }
            // Only a running loop finishes: a Pause or Stop pressed inside the
            // event keeps its own state.
            if (state_ == stRunning &&
                (stopCriterion_ == scConstantBest || stopCriterion_ == scGenerations) &&
                stopCounter_ >= stopGenerations_)
                state_ = stFinished;
        }
    } catch (...) {
        // The run cannot go on; stopped, the next Run starts afresh.
        state_ = stStopped;
        throw;
    }
}

} // namespace solver
