#pragma once
// The localities of the sample installation with their geometry: regions,
// states, microregions and municipalities of the 2000 division, every level
// the union of the municipalities under it (no inner borders).
#include "geometry.h"
#include "source_data.h"

#include <array>
#include <string>
#include <vector>

namespace daxo::generator {

struct RegionInfo {
    std::string code;       // "1".."5"
    std::string name;       // "Norte"
    std::string mapValue;   // "NORTE"
};

struct MicroregionInfo {
    std::string name;
    int number = 0;
};

struct StateInfo {
    std::string uf;          // "12"
    std::string sigla;       // "AC"
    std::string name;        // "Acre"
    std::string mapValue;    // "ACRE"
    std::string layerFile;   // "ind_Acre" (file base name under Mapas/Estados)
    std::string regionCode;  // "1"
    std::vector<MicroregionInfo> microregions;
};

struct Municipality {
    std::string code;        // six digits, UF first
    std::string name;
    int state = 0;           // index into Atlas::states
    int microregion = 0;     // index into Atlas::microregions
    bool createdAfter1991 = false;
    // Real figures; index 0 is 1991, 1 is 2000.
    std::array<double, 2> population{}, incomePerHead{}, poorShare{};
    Shape shape;
};

struct Microregion {
    std::string code;        // UF + three digits
    std::string mapId;       // UF + four digits
    std::string name;
    int number = 0;
    int state = 0;
    std::vector<int> municipalities;
    Shape shape;
};

struct AtlasState {
    StateInfo info;
    int region = 0;          // index into Atlas::regions
    Shape outline;
    std::vector<int> microregions;
    std::vector<int> municipalities;
};

struct Atlas {
    std::vector<RegionInfo> regions;
    std::vector<Shape> regionOutlines;   // parallel to regions
    Shape country;
    std::vector<AtlasState> states;
    std::vector<Microregion> microregions;
    std::vector<Municipality> municipalities;
};

// The municipalities of the given states with their microregions and
// outlines; throws std::runtime_error when a state has no municipality or a
// municipality names a microregion that the state does not have.
Atlas buildAtlas(const SourceData& source, const std::vector<RegionInfo>& regions,
                 const std::vector<StateInfo>& states);

} // namespace daxo::generator
