#pragma once
// The reference route on the command line: the optimum command, and the
// reference that solve and crossover-test add with --reference.

#include "reference/ReferenceSolver.h"

#include <string>

class TTSPMap;

namespace cli {

// The reference for the map's task; raises the task's refusal (ETSPError)
// as solve does.
reference::TReferenceResult ComputeReference(const TTSPMap& map, double timeLimitSeconds);

// How much longer `length` is than the reference, in percent. 0 when both are
// 0; infinite (null in JSON) when only the reference is.
double GapPercent(double length, double referenceLength);

// {"length":…,"exact":…,"gap_percent":…} for a result of `length`.
std::string ReferenceJson(const reference::TReferenceResult& result, double length);
// "1234.5678 (exact optimum)" or "1234.5678 (best found)".
std::string ReferenceText(const reference::TReferenceResult& result);

} // namespace cli
