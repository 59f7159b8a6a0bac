#include "solver/SolverSettings.h"

#include "solver/AlgorithmGetetic.h"

namespace solver {

void ApplySettings(TTSPPopulation& population, const TSolverSettings& settings) {
    population.SetCrossoverRate(settings.CrossoverRate);
    population.SetMutationRate(settings.MutationRate);
    population.SetPopulationSize(settings.PopulationSize);
    population.SetCrossoverKind(settings.CrossoverKind);
    population.SetMutationKind(settings.MutationKind);
    population.SetSelectionKind(settings.SelectionKind);
    population.SetStopCriterion(settings.StopCriterion);
    population.SetStopGenerations(settings.StopGenerations);
    population.SetEliteSize(settings.EliteSize);
    population.SetElitism(settings.Elitism);
    population.SetAdaptiveChoice(settings.AdaptiveChoice);
}

} // namespace solver
