#include "atlas.h"

#include "random.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace daxo::generator {
namespace {

double dist2(Point a, Point b) { return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y); }

// Well-spread points inside the outline (best of several candidates each),
// so that municipalities have comparable sizes.
std::vector<Point> spreadSeeds(const Shape& outline, std::size_t count, Random& rng)
{
    const Box box = boundingBox(outline);
    auto randomInside = [&] {
        for (;;) {
            const Point p{rng.uniform(box.minX, box.maxX), rng.uniform(box.minY, box.maxY)};
            if (contains(outline, p)) return p;
        }
    };
    std::vector<Point> seeds;
    seeds.reserve(count);
    while (seeds.size() < count) {
        Point best{};
        double bestDistance = -1;
        for (int candidate = 0; candidate < 6; ++candidate) {
            const Point p = randomInside();
            double nearest = std::numeric_limits<double>::max();
            for (const Point& s : seeds) nearest = std::min(nearest, dist2(p, s));
            if (nearest > bestDistance) { bestDistance = nearest; best = p; }
        }
        seeds.push_back(best);
    }
    return seeds;
}

std::string digits(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// Microregion centres: the municipality that bears the microregion's name
// where there is one, else the municipality farthest from the centres so far.
std::vector<int> microregionCentres(const StateInfo& info, const std::vector<std::string>& names,
                                    const std::vector<Point>& seeds)
{
    std::vector<int> centres(info.microregions.size(), -1);
    std::vector<bool> taken(names.size(), false);
    for (std::size_t m = 0; m < info.microregions.size(); ++m) {
        const auto it = std::find(names.begin(), names.end(), info.microregions[m].name);
        if (it != names.end() && !taken[it - names.begin()]) {
            centres[m] = static_cast<int>(it - names.begin());
            taken[centres[m]] = true;
        }
    }
    for (std::size_t m = 0; m < centres.size(); ++m) {
        if (centres[m] >= 0) continue;
        int farthest = -1;
        double farthestDistance = -1;
        for (std::size_t k = 0; k < seeds.size(); ++k) {
            if (taken[k]) continue;
            double nearest = std::numeric_limits<double>::max();
            for (int c : centres)
                if (c >= 0) nearest = std::min(nearest, dist2(seeds[k], seeds[c]));
            if (nearest > farthestDistance) { farthestDistance = nearest; farthest = static_cast<int>(k); }
        }
        centres[m] = farthest;
        taken[farthest] = true;
    }
    return centres;
}

void layOutState(Atlas& atlas, int stateIndex, const std::vector<std::string>& names, Random& rng,
                 std::uint64_t seed)
{
    AtlasState& state = atlas.states[stateIndex];
    const StateInfo& info = state.info;
    if (names.size() < info.microregions.size())
        throw std::runtime_error("Menos municípios que microrregiões em " + info.name);

    const std::vector<Point> seeds = spreadSeeds(state.outline, names.size(), rng);
    Box bounds = boundingBox(state.outline);
    const double margin = 1.0;
    bounds = {bounds.minX - margin, bounds.minY - margin, bounds.maxX + margin, bounds.maxY + margin};

    const std::vector<int> centres = microregionCentres(info, names, seeds);
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

    for (std::size_t k = 0; k < names.size(); ++k) {
        Municipality mun;
        mun.code = info.uf + digits(static_cast<int>(k + 1) * 10, 4);
        mun.name = names[k];
        mun.state = stateIndex;
        mun.seed = seeds[k];
        mun.shape = clipShape(state.outline, voronoiCell(seeds, k, bounds));
        std::size_t nearest = 0;
        for (std::size_t m = 1; m < centres.size(); ++m)
            if (dist2(seeds[k], seeds[centres[m]]) < dist2(seeds[k], seeds[centres[nearest]])) nearest = m;
        mun.microregion = firstMicro + static_cast<int>(nearest);
        const bool centre = std::find(centres.begin(), centres.end(), static_cast<int>(k)) != centres.end();
        // Regional centres are larger; a long right tail for the rest.
        mun.sizeWeight = std::exp(1.1 * rng.normal()) * (centre ? 4.0 : 1.0);
        // About a fifth of today's municipalities (1,072 of 5,563) were created after 1991;
        // the centres are old towns.
        mun.createdAfter1991 = !centre && unit(seed, {0x51A7E, textKey(mun.code)}) < 0.21;
        const int index = static_cast<int>(atlas.municipalities.size());
        atlas.microregions[mun.microregion].municipalities.push_back(index);
        state.municipalities.push_back(index);
        atlas.municipalities.push_back(std::move(mun));
    }
}

} // namespace

Atlas buildAtlas(const SourceData& source, const std::vector<RegionInfo>& regions,
                 const std::vector<StateInfo>& states, std::uint64_t seed)
{
    Atlas atlas;
    for (const RegionInfo& r : regions) {
        const bool used = std::any_of(states.begin(), states.end(),
                                      [&](const StateInfo& s) { return s.regionCode == r.code; });
        if (used) atlas.regions.push_back(r);
    }
    Random rng(seed);
    for (const StateInfo& info : states) {
        const auto outline = source.outlines.find(info.sigla);
        const auto names = source.names.find(info.sigla);
        if (outline == source.outlines.end() || names == source.names.end())
            throw std::runtime_error("Sem contorno ou sem municípios para " + info.name);
        AtlasState state;
        state.info = info;
        state.outline = outline->second;
        const auto region = std::find_if(atlas.regions.begin(), atlas.regions.end(),
                                         [&](const RegionInfo& r) { return r.code == info.regionCode; });
        if (region == atlas.regions.end()) throw std::runtime_error("Região desconhecida para " + info.name);
        state.region = static_cast<int>(region - atlas.regions.begin());
        atlas.states.push_back(std::move(state));
        layOutState(atlas, static_cast<int>(atlas.states.size()) - 1, names->second, rng, seed);
    }
    return atlas;
}

} // namespace daxo::generator
