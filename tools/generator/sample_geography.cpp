#include "sample_geography.h"

#include "localities/geography.h"

#include <algorithm>
#include <filesystem>

namespace daxo::generator {

namespace {
// The small variant: one state of each of three regions, the Federal
// District among them (the queries treat code 53 apart).
constexpr std::string_view SmallVariant[] = {"12", "28", "53"};
}

std::vector<RegionInfo> sampleRegions()
{
    std::vector<RegionInfo> regions;
    for (const localities::Region& r : localities::regions())
        regions.push_back({std::string(r.code), std::string(r.text), std::string(r.mapValue)});
    return regions;
}

std::vector<StateInfo> sampleStates(bool small)
{
    std::vector<StateInfo> states;
    for (const localities::State& s : localities::states()) {
        if (small && std::find(std::begin(SmallVariant), std::end(SmallVariant), s.uf) == std::end(SmallVariant)) continue;
        StateInfo info;
        info.uf = s.uf;
        info.sigla = s.sigla;
        info.name = s.text;
        info.mapValue = s.mapValue;
        info.layerFile = std::filesystem::path(std::string(s.layerFile)).stem().string();
        info.regionCode = s.regionCode;
        for (const localities::Microregion& m : localities::microregionsOf(s))
            info.microregions.push_back({std::string(m.text), m.number});
        states.push_back(std::move(info));
    }
    return states;
}

} // namespace daxo::generator
