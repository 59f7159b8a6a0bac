#pragma once
// The codes of the solver's settings and states. A code is the position of its
// item in the solver panel's drop-down lists, so the display names below are
// listed in code order and shared by the panel and the command line.

#include <array>
#include <cstdint>
#include <string_view>

namespace solver {

enum TCrossoverKind : uint8_t { ckOP = 0, ckPMX = 1, ckTriangle = 2, ckSOP = 3, ckCUBX = 4 };
inline constexpr int kCrossoverKinds = 5;
// Origin of a chromosome of the initial population.
inline constexpr uint8_t kInitialOrigin = 5;

enum TMutationKind : uint8_t {
    mkTwoRandom = 0,
    mkInverse = 1,
    mkReduced = 2,
    mkRandom = 3, // each mutation draws one of the three above
    mkNone = 4,
};

enum TSelectionKind : uint8_t { skTournament = 0, skRoulette = 1, skRandom = 2 };

enum TStopCriterion : uint8_t {
    scConstantBest = 0, // finish when the best has not changed for StopGenerations
    scGenerations = 1,  // finish after StopGenerations since the last start or resume
    scNone = 2,
};

enum TRunState : uint8_t { stRunning = 0, stPaused = 1, stStopped = 2, stFinished = 3 };

inline constexpr std::array<std::string_view, 5> kCrossoverNames = {"OP", "PMX", "Triangle", "SOP",
                                                                    "CUBX"};
inline constexpr std::array<std::string_view, 5> kMutationNames = {
    "TwoRandom", "Inverse", "Reduced", "Случайно", "Не использовать"};
inline constexpr std::array<std::string_view, 3> kSelectionNames = {"Турнир", "Рулетка",
                                                                    "Случайно"};
inline constexpr std::array<std::string_view, 3> kStopCriterionNames = {
    "Решение постоянно", "Всего поколений", "Не использовать"};

} // namespace solver
