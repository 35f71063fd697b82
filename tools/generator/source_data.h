#pragma once
// The committed sources under data/: the municipalities of the 2000 division
// with their microregion, real populations, income per head and share of
// poor, and their outlines as rings of shared borders.
#include "geometry.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace daxo::generator {

// A border in 1/10,000 degree, shared by the municipalities on either side.
using GridPoint = std::array<std::int32_t, 2>;
using Border = std::vector<GridPoint>;
// A ring as borders walked in order; -1-k is border k walked backwards.
using BorderRing = std::vector<int>;

struct SourceMunicipality {
    std::string code;         // six digits
    std::string microregion;  // five digits
    std::string name;
    bool in1991 = false;
    // Index 0 is 1991, 1 is 2000.
    std::array<double, 2> population{}, incomePerHead{}, poorShare{};
    std::vector<BorderRing> rings;
};

struct SourceData {
    std::vector<Border> borders;
    std::vector<SourceMunicipality> municipalities;   // by code
};

// Throws std::runtime_error with a Portuguese message naming the file when a
// file is missing or malformed.
SourceData loadSourceData(const std::filesystem::path& dataDir);

// The outline of a set of rings: borders walked both ways cancel, the others
// are chained into rings, so that a union of neighbours has no inner border.
Shape joinRings(const std::vector<Border>& borders, const std::vector<const BorderRing*>& rings);

} // namespace daxo::generator
