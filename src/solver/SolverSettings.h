#pragma once
// The settings a run is started with, as the solver panel holds them, with the
// panel's initial values. The panel, the crossover test and the command line
// copy them into a population the same way.

#include "solver/SolverCodes.h"

#include <cstdint>

namespace solver {

class TTSPPopulation;

struct TSolverSettings {
    int32_t PopulationSize = 100;
    uint8_t CrossoverKind = ckOP;
    uint8_t MutationKind = mkRandom;
    uint8_t SelectionKind = skRoulette;
    uint8_t StopCriterion = scConstantBest;
    int32_t StopGenerations = 250;
    int32_t EliteSize = 50;
    bool Elitism = false;
    bool AdaptiveChoice = true;
    double CrossoverRate = 0.8; // the panel's percent / 100
    double MutationRate = 0.2;
};

// Copies every setting into the population (what Start does before Run).
void ApplySettings(TTSPPopulation& population, const TSolverSettings& settings);

} // namespace solver
