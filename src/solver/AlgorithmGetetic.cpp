// The population model: chromosomes, route length, the initial population,
// the best/worst bookkeeping, replacement with the kind statistics, and the
// checks of the settings before a run.

#include "solver/AlgorithmGetetic.h"

#include "core/TSPErrors.h"
#include "profiler/Profiler.h"
#include "solver/AlgorithmGeteticImpl.h"

#include <algorithm>

namespace solver {

// --- Route length --------------------------------------------------------------

double RouteLength(const TTSPMap& map, const TIntegerArray& genes) {
    const int32_t count = genes.Count();
    if (count < 2)
        return 0;
    const int32_t size = map.MatrixSize();
    // GetPath accepts positions below both the node count and the table size.
    const uint32_t limit = static_cast<uint32_t>(std::min(map.Count(), size));
    const double* table = map.MatrixData();
    const int32_t* route = genes.data();
    double length = 0;
    for (int32_t i = 0; i + 1 < count; ++i) {
        const uint32_t a = static_cast<uint32_t>(route[i]);
        const uint32_t b = static_cast<uint32_t>(route[i + 1]);
        if (a >= limit || b >= limit)
            length += map.GetPath(route[i], route[i + 1]); // raises the index error
        else
            length += table[static_cast<size_t>(a) * static_cast<size_t>(size) + b];
    }
    return length;
}

bool ApproximateLength(const TTSPMap& map, const TIntegerArray& genes, double& approx) {
    const int32_t count = genes.Count();
    const size_t size = static_cast<size_t>(map.MatrixSize());
    const uint32_t limit = static_cast<uint32_t>(std::min(map.Count(), map.MatrixSize()));
    const double* table = map.MatrixData();
    const int32_t* route = genes.data();
    for (int32_t i = 0; i < count; ++i)
        if (static_cast<uint32_t>(route[i]) >= limit)
            return false;
    auto step = [&](int32_t i) {
        return table[static_cast<uint32_t>(route[i]) * size + static_cast<uint32_t>(route[i + 1])];
    };
    double part[4] = {0, 0, 0, 0};
    int32_t i = 0;
    for (; i + 4 < count; i += 4) {
        part[0] += step(i);
        part[1] += step(i + 1);
        part[2] += step(i + 2);
        part[3] += step(i + 3);
    }
    for (; i + 1 < count; ++i)
        part[0] += step(i);
    approx = (part[0] + part[1]) + (part[2] + part[3]);
    return true;
}

// --- TTSPChromosome --------------------------------------------------------------

int32_t TTSPChromosome::GetElement(int32_t index) const {
    if (index < 0 || index >= Genes.Count())
        throw ETSPError(IndexErrorMessage("_TTSPChromosome.GetElement", index, 0, Genes.Count()));
    return Genes[index];
}

void TTSPChromosome::SetElement(int32_t index, int32_t value) {
    if (index < 0 || index >= Genes.Count())
        throw ETSPError(IndexErrorMessage("_TTSPChromosome.SetElement", index, 0, Genes.Count()));
    Genes[index] = value;
}

void TTSPChromosome::CalcFitness(const TTSPMap& map) {
    Fitness = RouteLength(map, Genes);
}

std::string TTSPChromosome::ToText(const TTSPMap& map) const {
    std::string text;
    for (int32_t gene : Genes) {
        // A gene that names no node (-1, or a node deleted while the run was
        // paused) has no name to show.
        const int32_t position = map.IndexOfID(gene);
        text += position < 0 ? std::string("x") : map.City(position).Name;
        text += '-';
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

// --- TTSPPopulation: model ---------------------------------------------------------

TTSPPopulation::TTSPPopulation(TTSPMap& map) : map_(map), impl_(std::make_unique<Impl>()) {}

TTSPPopulation::~TTSPPopulation() = default;

void TTSPPopulation::CheckChromosomeIndex(int32_t index, const char* operation) const {
    if (index < 0 || index >= ChromosomeCount())
        throw ETSPError(IndexErrorMessage(operation, index, 0, ChromosomeCount()));
}

const TTSPChromosome& TTSPPopulation::Chromosome(int32_t index) const {
    CheckChromosomeIndex(index, "_TTSPPopulation.Chromosome");
    return *chromosomes_[static_cast<size_t>(index)];
}

int32_t TTSPPopulation::GetGene(int32_t chromosome, int32_t gene) const {
    CheckChromosomeIndex(chromosome, "_TTSPPopulation.GetGene");
    return chromosomes_[static_cast<size_t>(chromosome)]->GetElement(gene);
}

int32_t TTSPPopulation::GetGeneCount(int32_t chromosome) const {
    CheckChromosomeIndex(chromosome, "_TTSPPopulation.GetGeneCount");
    return chromosomes_[static_cast<size_t>(chromosome)]->Count();
}

std::string TTSPPopulation::GetBestPathString() const {
    if (chromosomes_.empty())
        return {};
    return chromosomes_[static_cast<size_t>(bestIndex_)]->ToText(map_);
}

int32_t TTSPPopulation::EffectiveSize() const {
    // A paused run goes on with the chromosomes it has; a size changed during
    // the pause waits for the next fresh run.
    if (state_ == stPaused && !chromosomes_.empty())
        return ChromosomeCount();
    return populationSize_;
}

void TTSPPopulation::CheckSettings() const {
    const int32_t size = EffectiveSize();
    if (size < 2) {
        throw ETSPError("Число хромосом в популяции должно быть не меньше двух (задано " +
                        std::to_string(size) + ")");
    }
    if (elitism_ && eliteSize_ > size) {
        throw ETSPError("Размер элиты (" + std::to_string(eliteSize_) +
                        ") не должен превышать число хромосом в популяции (" +
                        std::to_string(size) + ")");
    }
    if (crossoverKind_ >= kCrossoverKinds)
        throw ETSPError("Неизвестный вид кроссовера (" + std::to_string(crossoverKind_) + ")");
    if (mutationKind_ > mkNone)
        throw ETSPError("Неизвестный вид мутации (" + std::to_string(mutationKind_) + ")");
    if (selectionKind_ > skRandom)
        throw ETSPError("Неизвестная стратегия отбора (" + std::to_string(selectionKind_) + ")");
    if (stopCriterion_ > scNone)
        throw ETSPError("Неизвестный критерий останова (" + std::to_string(stopCriterion_) + ")");
}

void TTSPPopulation::CreatePopulation() {
    TRASOLAN_PROFILE("_TTSPPopulation.CreatePopulation");
    // All routes are drawn before any replaces the old population, so a
    // failed route leaves the old one whole.
    std::vector<TIntegerArray> routes;
    DrawInitialRoutes(routes, nullptr);
    SetChromosomes(std::move(routes));
}

void TTSPPopulation::SetChromosomes(std::vector<TIntegerArray> routes) {
    std::vector<std::unique_ptr<TTSPChromosome>> created;
    std::vector<double> lengths;
    created.reserve(routes.size());
    lengths.reserve(routes.size());
    for (TIntegerArray& route : routes) {
        auto chromosome = std::make_unique<TTSPChromosome>();
        chromosome->Genes = std::move(route);
        chromosome->Origin = kInitialOrigin;
        chromosome->Fitness = RouteLength(map_, chromosome->Genes);
        lengths.push_back(chromosome->Fitness);
        created.push_back(std::move(chromosome));
    }
    chromosomes_ = std::move(created);
    fitness_ = std::move(lengths);
    impl_->checkedEpoch.assign(chromosomes_.size(), 0);
    impl_->runningSumsCurrent = false;
    kindCurrent_.fill(0);
    kindTotal_.fill(0);
    UpdateBestWorst();
    generation_ = 0;
    mutationCounter_ = 0;
    crossoverCounter_ = 0;
    stopCounter_ = 0;
}

void TTSPPopulation::UpdateBestWorst() {
    bestIndex_ = 0;
    worstIndex_ = 0;
    const int32_t count = ChromosomeCount();
    if (count == 0)
        return;
    const double* fitness = fitness_.data();
    double best = fitness[0];
    double worst = best;
    for (int32_t i = 0; i < count; ++i) {
        const double value = fitness[i];
        if (value < best) {
            best = value;
            bestIndex_ = i;
        }
        if (value > worst) {
            worst = value;
            worstIndex_ = i;
        }
    }
    if (best != bestFitness_) {
        bestFitness_ = best;
        RaiseNewBest();
        if (stopCriterion_ == scConstantBest)
            stopCounter_ = 0;
    }
}

void TTSPPopulation::RaiseNewBest() {
    if (!onNewBest_)
        return;
    // The handler may change the map: the road index is looked at again
    // before the next child is checked.
    impl_->indexCurrent = false;
    onNewBest_(*this, bestFitness_);
}

void TTSPPopulation::SwapChromosomes(int32_t i, int32_t j) {
    std::swap(chromosomes_[static_cast<size_t>(i)], chromosomes_[static_cast<size_t>(j)]);
    std::swap(fitness_[static_cast<size_t>(i)], fitness_[static_cast<size_t>(j)]);
    std::swap(impl_->checkedEpoch[static_cast<size_t>(i)],
              impl_->checkedEpoch[static_cast<size_t>(j)]);
    impl_->runningSumsCurrent = false;
}

void TTSPPopulation::ReplaceChromosome(int32_t index, const TTSPChromosome& child) {
    CheckChromosomeIndex(index, "_TTSPPopulation.ReplaceChromosome");
    TTSPChromosome& target = *chromosomes_[static_cast<size_t>(index)];
    const uint8_t old = target.Origin;
    target.Genes = child.Genes;
    target.Fitness = child.Fitness;
    target.Origin = child.Origin;
    fitness_[static_cast<size_t>(index)] = child.Fitness;
    impl_->checkedEpoch[static_cast<size_t>(index)] = 0; // the caller knows better
    impl_->runningSumsCurrent = false;
    UpdateBestWorst();
    if (adaptiveChoice_) {
        // Only crossover kinds have counts; an initial chromosome (Origin 5)
        // neither lowers nor raises one.
        const uint8_t origin = child.Origin;
        if (origin < kCrossoverKinds)
            SaturatingIncrement(kindTotal_[origin]);
        if (old < kCrossoverKinds && kindCurrent_[old] > 0)
            --kindCurrent_[old];
        if (origin < kCrossoverKinds)
            ++kindCurrent_[origin];
    }
}

} // namespace solver
