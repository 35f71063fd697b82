#include "atlas.h"

#include <algorithm>
#include <functional>
#include <cstdio>
#include <stdexcept>

namespace daxo::generator {
namespace {

std::string digits(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// Outer rings clockwise and holes counter-clockwise, as shapefiles want them:
// the borders keep the orientation of the source, whose outer rings may run
// the other way.
Shape clockwise(Shape shape)
{
    double total = 0;
    for (const Ring& r : shape) total += signedArea(r);
    if (total > 0)
        for (Ring& r : shape) std::reverse(r.begin(), r.end());
    return shape;
}

void layOutState(Atlas& atlas, int stateIndex, const SourceData& source)
{
    AtlasState& state = atlas.states[stateIndex];
    const StateInfo& info = state.info;
    const int firstMicro = static_cast<int>(atlas.microregions.size());
    for (const MicroregionInfo& m : info.microregions) {
        Microregion micro;
        micro.number = m.number;
        micro.name = m.name;
        micro.code = info.uf + digits(m.number, 3);
        micro.mapId = info.uf + digits(m.number, 4);
        micro.state = stateIndex;
        state.microregions.push_back(static_cast<int>(atlas.microregions.size()));
        atlas.microregions.push_back(std::move(micro));
    }
    std::vector<const BorderRing*> stateRings;
    std::vector<std::vector<const BorderRing*>> microRings(info.microregions.size());
    for (const SourceMunicipality& s : source.municipalities) {
        if (s.code.compare(0, 2, info.uf) != 0) continue;
        const auto micro = std::find_if(atlas.microregions.begin() + firstMicro, atlas.microregions.end(),
                                        [&](const Microregion& m) { return m.code == s.microregion; });
        if (micro == atlas.microregions.end())
            throw std::runtime_error("Microrregião " + s.microregion + " do município " + s.code + " ausente de " + info.name);
        Municipality mun;
        mun.code = s.code;
        mun.name = s.name;
        mun.state = stateIndex;
        mun.microregion = static_cast<int>(micro - atlas.microregions.begin());
        mun.createdAfter1991 = !s.in1991;
        mun.population = s.population;
        mun.incomePerHead = s.incomePerHead;
        mun.poorShare = s.poorShare;
        std::vector<const BorderRing*> rings;
        for (const BorderRing& r : s.rings) rings.push_back(&r);
        mun.shape = clockwise(joinRings(source.borders, rings));
        stateRings.insert(stateRings.end(), rings.begin(), rings.end());
        auto& micros = microRings[mun.microregion - firstMicro];
        micros.insert(micros.end(), rings.begin(), rings.end());
        const int index = static_cast<int>(atlas.municipalities.size());
        micro->municipalities.push_back(index);
        state.municipalities.push_back(index);
        atlas.municipalities.push_back(std::move(mun));
    }
    if (state.municipalities.empty()) throw std::runtime_error("Sem municípios para " + info.name);
    for (std::size_t m = 0; m < microRings.size(); ++m) {
        if (microRings[m].empty())
            throw std::runtime_error("Microrregião sem municípios: " + atlas.microregions[firstMicro + m].name);
        atlas.microregions[firstMicro + m].shape = clockwise(joinRings(source.borders, microRings[m]));
    }
    state.outline = clockwise(joinRings(source.borders, stateRings));
}

// The rings of every municipality of the states that `take` accepts.
Shape joinStates(const Atlas& atlas, const SourceData& source, const std::function<bool(const AtlasState&)>& take)
{
    std::vector<const BorderRing*> rings;
    for (const AtlasState& state : atlas.states) {
        if (!take(state)) continue;
        for (int m : state.municipalities) {
            const auto s = std::lower_bound(source.municipalities.begin(), source.municipalities.end(), atlas.municipalities[m].code,
                                            [](const SourceMunicipality& a, const std::string& code) { return a.code < code; });
            for (const BorderRing& r : s->rings) rings.push_back(&r);
        }
    }
    return clockwise(joinRings(source.borders, rings));
}

} // namespace

Atlas buildAtlas(const SourceData& source, const std::vector<RegionInfo>& regions, const std::vector<StateInfo>& states)
{
    Atlas atlas;
    for (const RegionInfo& r : regions) {
        const bool used = std::any_of(states.begin(), states.end(),
                                      [&](const StateInfo& s) { return s.regionCode == r.code; });
        if (used) atlas.regions.push_back(r);
    }
    for (const StateInfo& info : states) {
        AtlasState state;
        state.info = info;
        const auto region = std::find_if(atlas.regions.begin(), atlas.regions.end(),
                                         [&](const RegionInfo& r) { return r.code == info.regionCode; });
        if (region == atlas.regions.end()) throw std::runtime_error("Região desconhecida para " + info.name);
        state.region = static_cast<int>(region - atlas.regions.begin());
        atlas.states.push_back(std::move(state));
        layOutState(atlas, static_cast<int>(atlas.states.size()) - 1, source);
    }
    for (std::size_t r = 0; r < atlas.regions.size(); ++r)
        atlas.regionOutlines.push_back(
            joinStates(atlas, source, [&](const AtlasState& s) { return s.region == static_cast<int>(r); }));
    atlas.country = joinStates(atlas, source, [](const AtlasState&) { return true; });
    return atlas;
}

} // namespace daxo::generator
