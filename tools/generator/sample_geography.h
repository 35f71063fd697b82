#pragma once
// The regions and states of the sample installation, taken from the
// program's own geography.
#include "atlas.h"

#include <vector>

namespace daxo::generator {

std::vector<RegionInfo> sampleRegions();
// All 27 states, or for the small variant three of them (from three regions,
// the Federal District among them).
std::vector<StateInfo> sampleStates(bool small);

} // namespace daxo::generator
