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
    std::vector<TIntegerArray> routes(static_cast<size_t>(std::max(populationSize_, 0)));
    for (TIntegerArray& route : routes)
        map_.RandomRoute(route);
    SetChromosomes(routes);
}

void TTSPPopulation::SetChromosomes(const std::vector<TIntegerArray>& routes) {
    std::vector<std::unique_ptr<TTSPChromosome>> created;
    created.reserve(routes.size());
    for (const TIntegerArray& route : routes) {
        auto chromosome = std::make_unique<TTSPChromosome>();
        chromosome->Genes = route;
        chromosome->Origin = kInitialOrigin;
        chromosome->Fitness = RouteLength(map_, chromosome->Genes);
        created.push_back(std::move(chromosome));
    }
    chromosomes_ = std::move(created);
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
    double best = Fitness(0);
    double worst = best;
    for (int32_t i = 0; i < count; ++i) {
        const double fitness = Fitness(i);
        if (fitness < best) {
            best = fitness;
            bestIndex_ = i;
        }
        if (fitness > worst) {
            worst = fitness;
            worstIndex_ = i;
        }
    }
    if (best != bestFitness_) {
        bestFitness_ = best;
        if (onNewBest_)
            onNewBest_(*this, best);
        if (stopCriterion_ == scConstantBest)
            stopCounter_ = 0;
    }
}

void TTSPPopulation::ReplaceChromosome(int32_t index, const TTSPChromosome& child) {
    CheckChromosomeIndex(index, "_TTSPPopulation.ReplaceChromosome");
    TTSPChromosome& target = *chromosomes_[static_cast<size_t>(index)];
    const uint8_t old = target.Origin;
    target.Genes = child.Genes;
    target.Fitness = child.Fitness;
    target.Origin = child.Origin;
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
