#include "app/cli/CliSolveOutput.h"

#include "solver/SolverCodes.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cli {

namespace {

std::string CodeName(uint8_t code, const auto& names) {
    return code < names.size() ? std::string(names[code]) : std::to_string(code);
}

} // namespace

std::string NumberText(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string FixedText(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                out += escape;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    return NumberText(value);
}

std::string SettingsJson(const solver::TSolverSettings& s) {
    std::string out = "{";
    out += "\"population\":" + std::to_string(s.PopulationSize);
    out += ",\"crossover\":" + JsonString(CodeName(s.CrossoverKind, solver::kCrossoverNames));
    out += ",\"mutation\":" + JsonString(CodeName(s.MutationKind, solver::kMutationNames));
    out += ",\"selection\":" + JsonString(CodeName(s.SelectionKind, solver::kSelectionNames));
    out += ",\"crossover_rate\":" + JsonNumber(s.CrossoverRate);
    out += ",\"mutation_rate\":" + JsonNumber(s.MutationRate);
    out += std::string(",\"elitism\":") + (s.Elitism ? "true" : "false");
    out += ",\"elite\":" + std::to_string(s.EliteSize);
    out += std::string(",\"adaptive\":") + (s.AdaptiveChoice ? "true" : "false");
    out += ",\"stop\":" + JsonString(CodeName(s.StopCriterion, solver::kStopCriterionNames));
    out += ",\"stop_generations\":" + std::to_string(s.StopGenerations);
    out += "}";
    return out;
}

std::string SettingsText(const solver::TSolverSettings& s, bool withCrossover) {
    std::string out = "population " + std::to_string(s.PopulationSize);
    if (withCrossover) {
        out += ", crossover " + CodeName(s.CrossoverKind, solver::kCrossoverNames);
        out += s.AdaptiveChoice ? " (adaptive)" : "";
    }
    out += ", mutation " + CodeName(s.MutationKind, solver::kMutationNames);
    out += ", selection " + CodeName(s.SelectionKind, solver::kSelectionNames);
    out += ", crossover rate " + NumberText(s.CrossoverRate * 100) + " %";
    out += ", mutation rate " + NumberText(s.MutationRate * 100) + " %";
    if (s.Elitism)
        out += ", elitism with elite " + std::to_string(s.EliteSize);
    out += ", stop " + CodeName(s.StopCriterion, solver::kStopCriterionNames);
    if (s.StopCriterion != solver::scNone)
        out += " after " + std::to_string(s.StopGenerations);
    return out;
}

} // namespace cli
