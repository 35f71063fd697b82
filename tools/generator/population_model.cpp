#include "population_model.h"

#include "apportion.h"
#include "random.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace daxo::generator {

int bandOf(int age)
{
    int band = 0;
    while (band + 1 < BandCount && BandStart[band + 1] <= age) ++band;
    return band;
}

const NationalTotals& nationalTotals(int census)
{
    static const NationalTotals t2000 = [] {
        NationalTotals t;
        t.population = 169872856;
        t.households = 44776740;
        t.garbage = {33298852, 2131437, 9346451, 0};
        t.water = {4591571, 34914319, 643670, 44776740 - 40149560};
        t.sewage = {10621778, 2614398, 6706427, 21374111, 44776740 - 41316714};
        t.families = {10903674, 8664402, 2874751, 6717255, 14354101, 10498483};
        t.active = 77467472;
        t.deficiency = {148023, 2435873, 14060946, 152667055, 166365, 883079, 4685655, 163473989,
                        574186, 1772690, 5592908, 161425799, 937463, 478597, 167899845, 2288351};
        return t;
    }();
    static const NationalTotals t1991 = [] {
        NationalTotals t;
        t.population = 146815777;
        t.households = 34743446;
        // The three destinations leave one household undeclared.
        t.garbage = {20694782, 1500914, 12547749, 34743446 - 20694782 - 1500914 - 12547749};
        t.water = {2981856, 22559646, 328844, 34743446 - 25870346};
        t.sewage = {9064991, 2391062, 6003878, 12234418, 34743446 - 29694349};
        t.families = {11903003, 8775850, 2277025, 6065807, 10177370, 5246662};
        t.active = 58456135;
        t.deficiency = {145854, 173581, 208566, 201629, 46989, 145178, 658912, 87083, 144616736};
        return t;
    }();
    return census == 1991 ? t1991 : t2000;
}

namespace {

constexpr std::uint64_t Tag(char a, char b, char c) { return (std::uint64_t(a) << 16) | (std::uint64_t(b) << 8) | c; }

double whiteShare(const std::string& regionCode)
{
    static const std::map<std::string, double> share{{"1", 0.27}, {"2", 0.30}, {"3", 0.83}, {"4", 0.64}, {"5", 0.45}};
    return share.at(regionCode);
}

// Relative number of people in each band: a pyramid narrowing with age,
// younger in 1991 and in the countryside.
std::array<double, BandCount> ageWeights(int census, int area)
{
    const double scale = (census == 1991 ? 31.0 : 37.0) - (area == 1 ? 4.0 : 0.0);
    std::array<double, BandCount> w{};
    for (int age = 0; age <= 100; ++age) w[bandOf(age)] += std::exp(-age / scale);
    return w;
}

double activityRate(int sex, int band)
{
    //                       0  4  5  7  10    15    16    18    20    25    30    40    50    60    65
    static const double male[BandCount] = {0, 0, 0, 0, 0.12, 0.35, 0.50, 0.75, 0.88, 0.93, 0.94, 0.92, 0.80, 0.55, 0.25};
    static const double female[BandCount] = {0, 0, 0, 0, 0.06, 0.20, 0.30, 0.50, 0.60, 0.60, 0.58, 0.52, 0.38, 0.20, 0.08};
    return sex == 0 ? male[band] : female[band];
}

struct Builder {
    const Atlas& atlas;
    int census;
    std::uint64_t seed;
    CensusModel model;

    double noise(std::initializer_list<std::uint64_t> keys, double spread)
    {
        return 1 + between(seed, keys, -spread, spread);
    }

    // The municipality's own income per head (against the country's) and
    // share of poor drive its development, from which literacy, schooling,
    // sanitation and the rest follow.
    void developments()
    {
        const int k = census == 1991 ? 0 : 1;
        double income = 0, people = 0;
        for (const Municipality& mun : atlas.municipalities) {
            income += mun.incomePerHead[k] * mun.population[k];
            people += mun.population[k];
        }
        const double meanIncome = people > 0 ? income / people : 1;
        for (std::size_t m = 0; m < atlas.municipalities.size(); ++m) {
            const Municipality& mun = atlas.municipalities[m];
            MunicipalityCounts& counts = model.municipalities[m];
            counts.exists = census != 1991 || !mun.createdAfter1991;
            if (!counts.exists) continue;
            counts.incomeLevel = std::max(mun.incomePerHead[k], 1.0) / meanIncome;
            const double d = 0.55 + 0.22 * std::log(counts.incomeLevel) + 0.35 * (0.4 - mun.poorShare[k] / 100) +
                             between(seed, {Tag('d', 'e', 'v'), m}, -0.03, 0.03);
            counts.development = std::clamp(d, 0.05, 0.95);
        }
    }

    // Every municipality's real population, scaled so that the country (or
    // the states generated) holds the national total.
    void population()
    {
        const int k = census == 1991 ? 0 : 1;
        std::vector<double> weights;
        for (std::size_t m = 0; m < atlas.municipalities.size(); ++m)
            weights.push_back(model.municipalities[m].exists ? atlas.municipalities[m].population[k] : 0);
        const std::vector<std::int64_t> totals = apportion(nationalTotals(census).population, weights);
        for (std::size_t m = 0; m < atlas.municipalities.size(); ++m)
            populateMunicipality(static_cast<int>(m), totals[m],
                                 atlas.states[atlas.municipalities[m].state].info.regionCode);
    }

    void populateMunicipality(int m, std::int64_t total, const std::string& region)
    {
        MunicipalityCounts& counts = model.municipalities[m];
        const double d = counts.development;
        const double size = std::log(std::max(atlas.municipalities[m].population[1], 1000.0) / 20000);
        double urban = 0.45 + 0.4 * d + 0.07 * size - (census == 1991 ? 0.07 : 0);
        urban = std::clamp(urban + between(seed, {Tag('u', 'r', 'b'), std::uint64_t(m)}, -0.1, 0.1), 0.08, 0.99);
        const std::vector<std::int64_t> areaTotals = apportion(total, {urban, 1 - urban});
        const double white = std::clamp(whiteShare(region) + between(seed, {Tag('c', 'o', 'r'), std::uint64_t(m)}, -0.08, 0.08), 0.05, 0.95);
        for (int a = 0; a < AreaCount; ++a) {
            const std::array<double, BandCount> ages = ageWeights(census, a);
            const double whiteHere = a == 1 && region != "3" ? white * 0.9 : white;
            const double colours[ColourCount] = {whiteHere, 0.99 - whiteHere, 0.01};
            const double sexes[SexCount] = {a == 0 ? 0.485 : 0.52, a == 0 ? 0.515 : 0.48};
            std::vector<double> weights;
            for (int s = 0; s < SexCount; ++s)
                for (int c = 0; c < ColourCount; ++c)
                    for (int b = 0; b < BandCount; ++b) weights.push_back(sexes[s] * colours[c] * ages[b]);
            const std::vector<std::int64_t> cells = apportion(areaTotals[a], weights);
            std::size_t i = 0;
            for (int s = 0; s < SexCount; ++s)
                for (int c = 0; c < ColourCount; ++c)
                    for (int b = 0; b < BandCount; ++b)
                        counts.area[a].population[s][c][b] = static_cast<std::int32_t>(cells[i++]);
        }
    }

    template <typename Visit>
    void forEachArea(Visit visit)
    {
        for (std::size_t m = 0; m < model.municipalities.size(); ++m)
            if (model.municipalities[m].exists)
                for (int a = 0; a < AreaCount; ++a) visit(m, a, model.municipalities[m].area[a]);
    }

    // The active share of each cell is the model's rate with its odds scaled
    // by one national factor, found so that the national total is met: no
    // rate ever passes 100 % the way a plain scaling would push it.
    void activePopulation()
    {
        std::vector<double> people, rates;
        std::vector<std::int32_t*> targets;
        forEachArea([&](std::size_t m, int a, AreaCounts& area) {
            for (int s = 0; s < SexCount; ++s)
                for (int c = 0; c < ColourCount; ++c)
                    for (int b = bandOf(10); b < BandCount; ++b) {
                        double rate = activityRate(s, b) * (census == 1991 && s == 1 ? 0.8 : 1.0);
                        if (a == 1 && b <= bandOf(16)) rate *= 1.4;
                        rate *= noise({Tag('p', 'e', 'a'), m, std::uint64_t(a * 100 + s * 10 + c), std::uint64_t(b)}, 0.1);
                        people.push_back(area.population[s][c][b]);
                        rates.push_back(std::clamp(rate, 0.001, 0.97));
                        targets.push_back(&area.active[s][c][b]);
                    }
        });
        const double target = static_cast<double>(nationalTotals(census).active);
        auto scaled = [](double rate, double k) { return k * rate / (1 - rate + k * rate); };
        auto activeWith = [&](double k) {
            double sum = 0;
            for (std::size_t i = 0; i < people.size(); ++i) sum += people[i] * scaled(rates[i], k);
            return sum;
        };
        double low = 1e-3, high = 1e3;
        for (int i = 0; i < 60; ++i) {
            const double mid = std::sqrt(low * high);
            (activeWith(mid) < target ? low : high) = mid;
        }
        std::vector<double> weights(people.size());
        std::vector<std::int64_t> caps(people.size());
        for (std::size_t i = 0; i < people.size(); ++i) {
            weights[i] = people[i] * scaled(rates[i], high);
            caps[i] = static_cast<std::int64_t>(people[i]);
        }
        const std::vector<std::int64_t> parts = apportionCapped(nationalTotals(census).active, weights, caps);
        for (std::size_t i = 0; i < parts.size(); ++i) *targets[i] = static_cast<std::int32_t>(parts[i]);
    }

    // One row per municipality part and head's sex and colour.
    struct HeadRow { std::size_t municipality; int area, sex, colour; AreaCounts* counts; };

    std::vector<HeadRow> headRows()
    {
        std::vector<HeadRow> rows;
        forEachArea([&](std::size_t m, int a, AreaCounts& area) {
            for (int s = 0; s < SexCount; ++s)
                for (int c = 0; c < ColourCount; ++c) rows.push_back({m, a, s, c, &area});
        });
        return rows;
    }

    static std::int64_t adults(const AreaCounts& area, int s, int c)
    {
        std::int64_t n = 0;
        for (int b = bandOf(20); b < BandCount; ++b) n += area.population[s][c][b];
        return n;
    }

    template <std::size_t N>
    void classify(const std::vector<HeadRow>& rows, const std::vector<std::int64_t>& totals,
                  const std::array<std::int64_t, N>& categories, int firstField, std::size_t storedCount,
                  double (*lean)(double development, int area, std::size_t category))
    {
        std::vector<std::vector<double>> preference(rows.size(), std::vector<double>(N));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const double d = model.municipalities[rows[r].municipality].development;
            for (std::size_t k = 0; k < N; ++k)
                preference[r][k] = std::max(lean(d, rows[r].area, k), 1e-6) *
                                   noise({Tag('c', 'l', 's'), rows[r].municipality, std::uint64_t(firstField * 10 + k), std::uint64_t(rows[r].area)}, 0.2);
        }
        const std::vector<std::int64_t> cats(categories.begin(), categories.end());
        const auto table = apportionTable(totals, cats, preference);
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (std::size_t k = 0; k < storedCount; ++k)
                rows[r].counts->households[rows[r].sex][rows[r].colour][firstField + k] = static_cast<std::int32_t>(table[r][k]);
    }

    void households()
    {
        const NationalTotals& totals = nationalTotals(census);
        const std::vector<HeadRow> rows = headRows();
        std::vector<double> weights;
        for (const HeadRow& r : rows) {
            const double headShare = r.sex == 0 ? (census == 1991 ? 0.8 : 0.74) : (census == 1991 ? 0.2 : 0.26);
            weights.push_back(static_cast<double>(adults(*r.counts, r.sex, r.colour)) * headShare);
        }
        const std::vector<std::int64_t> rowTotals = apportion(totals.households, weights);
        for (std::size_t r = 0; r < rows.size(); ++r)
            rows[r].counts->households[rows[r].sex][rows[r].colour][HhTotal] = static_cast<std::int32_t>(rowTotals[r]);

        classify(rows, rowTotals, totals.garbage, HhGarbageDirect, 3, [](double d, int area, std::size_t k) {
            const double urban[] = {0.5 + 0.5 * d, 0.05, 0.1 + 0.3 * (1 - d), 1e-6};
            const double rural[] = {0.05 + 0.2 * d, 0.03, 0.8, 1e-6};
            return area == 0 ? urban[k] : rural[k];
        });
        classify(rows, rowTotals, totals.water, HhWaterWell, 4, [](double d, int area, std::size_t k) {
            const double urban[] = {0.05, 0.5 + 0.5 * d, 0.02, 0.1 * (1 - d)};
            const double rural[] = {0.3, 0.05 + 0.1 * d, 0.02, 0.5 * (1 - d) + 0.1};
            return area == 0 ? urban[k] : rural[k];
        });
        classify(rows, rowTotals, totals.sewage, HhSewageRudimentary, 5, [](double d, int area, std::size_t k) {
            const double urban[] = {0.2, 0.05, 0.15, 0.2 + 0.6 * d, 0.05 * (1 - d)};
            const double rural[] = {0.35, 0.1, 0.1, 0.02, 0.3 * (1 - d)};
            return area == 0 ? urban[k] : rural[k];
        });
    }

    void families()
    {
        const NationalTotals& totals = nationalTotals(census);
        const std::vector<HeadRow> rows = headRows();
        std::vector<double> weights;
        for (const HeadRow& r : rows) weights.push_back(r.counts->households[r.sex][r.colour][HhTotal]);
        std::int64_t familyTotal = 0;
        for (std::int64_t f : totals.families) familyTotal += f;
        const std::vector<std::int64_t> rowTotals = apportion(familyTotal, weights);
        std::vector<std::vector<double>> preference(rows.size(), std::vector<double>(FamilyCount));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            // The share of poor and the income level of the municipality.
            const MunicipalityCounts& mun = model.municipalities[rows[r].municipality];
            const double poorShare = atlas.municipalities[rows[r].municipality].poorShare[census == 1991 ? 0 : 1] / 100;
            const double rural = rows[r].area == 1 ? 1.5 : 1.0;
            const double white = rows[r].colour == 0 ? 1.6 : 1.0;
            for (int children = 0; children < 2; ++children) {
                const double poor = 2 * poorShare * rural / white, rich = 0.5 * mun.incomeLevel * mun.incomeLevel * white / rural;
                const double lean[] = {poor * (children ? 1.6 : 1.0), 1.0, rich * (children ? 0.6 : 1.0)};
                for (int b = 0; b < 3; ++b)
                    preference[r][familyIndex(children == 1, b)] = lean[b] * (children ? 0.9 : 1.0);
            }
        }
        const std::vector<std::int64_t> cats(totals.families.begin(), totals.families.end());
        const auto table = apportionTable(rowTotals, cats, preference);
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (int k = 0; k < FamilyCount; ++k)
                rows[r].counts->families[rows[r].sex][rows[r].colour][k] = static_cast<std::int32_t>(table[r][k]);
    }

    // Deficiencies: each group of exclusive answers (sight, hearing, walking
    // in 2000; the whole 1991 list) is split together with the people who
    // gave none of them, the other items alone.
    void deficiencies()
    {
        const std::vector<std::int64_t>& totals = nationalTotals(census).deficiency;
        struct Row { std::size_t municipality; int area, sex; AreaCounts* counts; std::int64_t people; };
        std::vector<Row> rows;
        forEachArea([&](std::size_t m, int a, AreaCounts& area) {
            for (int s = 0; s < SexCount; ++s) {
                std::int64_t people = 0;
                for (int c = 0; c < ColourCount; ++c)
                    for (int b = 0; b < BandCount; ++b) people += area.population[s][c][b];
                rows.push_back({m, a, s, &area, people});
            }
        });
        std::vector<std::vector<int>> groups;
        if (census == 1991) {
            groups.push_back({0, 1, 2, 3, 4, 5, 6, 7, 8});
        } else {
            groups = {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11}, {12}, {13}, {14}, {15}};
        }
        std::int64_t population = 0;
        std::vector<std::int64_t> people;
        for (const Row& r : rows) { people.push_back(r.people); population += r.people; }
        for (const std::vector<int>& group : groups) {
            std::vector<std::int64_t> cats;
            std::int64_t used = 0;
            for (int item : group) { cats.push_back(totals[item]); used += totals[item]; }
            cats.push_back(population - used);   // none of the group's answers
            std::vector<std::vector<double>> preference(rows.size(), std::vector<double>(cats.size()));
            for (std::size_t r = 0; r < rows.size(); ++r)
                for (std::size_t k = 0; k < cats.size(); ++k) {
                    const double d = model.municipalities[rows[r].municipality].development;
                    preference[r][k] = k + 1 == cats.size() ? 1.0 : (1.3 - 0.5 * d) * noise({Tag('d', 'e', 'f'), rows[r].municipality, std::uint64_t(group[0] * 10 + k), std::uint64_t(rows[r].area * 2 + rows[r].sex)}, 0.3);
                }
            const auto table = apportionTable(people, cats, preference);
            for (std::size_t r = 0; r < rows.size(); ++r)
                for (std::size_t k = 0; k < group.size(); ++k)
                    rows[r].counts->deficiency[rows[r].sex][group[k]] = static_cast<std::int32_t>(table[r][k]);
        }
    }

    // Moves between states in the five years before the census: more from
    // poorer and towards richer states, fewer over long distances.
    void migration()
    {
        const std::size_t n = atlas.states.size();
        std::vector<double> people(n, 0), development(n, 0), x(n, 0), y(n, 0);
        for (std::size_t s = 0; s < n; ++s) {
            const AtlasState& state = atlas.states[s];
            for (int m : state.municipalities) {
                const MunicipalityCounts& counts = model.municipalities[m];
                for (int a = 0; a < AreaCount; ++a)
                    for (int sx = 0; sx < SexCount; ++sx)
                        for (int c = 0; c < ColourCount; ++c)
                            for (int b = 1; b < BandCount; ++b) people[s] += counts.area[a].population[sx][c][b];
                development[s] += counts.development / static_cast<double>(state.municipalities.size());
            }
            const Box box = boundingBox(state.outline);
            x[s] = (box.minX + box.maxX) / 2;
            y[s] = (box.minY + box.maxY) / 2;
        }
        for (int sx = 0; sx < SexCount; ++sx) {
            model.migration.moves[sx].assign(n, std::vector<std::int64_t>(n, 0));
            for (std::size_t o = 0; o < n; ++o)
                for (std::size_t d = 0; d < n; ++d) {
                    if (o == d) continue;
                    const double distance = std::hypot(x[o] - x[d], y[o] - y[d]);
                    const double pull = (0.3 + development[d]) / (0.3 + development[o]);
                    const double rate = 0.0025 * pull * std::exp(-distance / 10.0) * (sx == 0 ? 1.05 : 0.95) *
                                        noise({Tag('m', 'i', 'g'), o, d, std::uint64_t(sx)}, 0.3);
                    model.migration.moves[sx][o][d] = std::llround(people[o] / 2 * rate);
                }
        }
    }
};

} // namespace

CensusModel buildCensusModel(const Atlas& atlas, int census, std::uint64_t seed)
{
    Builder builder{atlas, census, mix(seed ^ static_cast<std::uint64_t>(census)), {}};
    builder.model.census = census;
    builder.model.seed = builder.seed;
    builder.model.municipalities.resize(atlas.municipalities.size());
    builder.developments();
    builder.population();
    builder.activePopulation();
    builder.households();
    builder.families();
    builder.deficiencies();
    builder.migration();
    return std::move(builder.model);
}

} // namespace daxo::generator
