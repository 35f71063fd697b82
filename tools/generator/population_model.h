#pragma once
// The synthetic census counts of one census: for every municipality and its
// urban and rural parts, people by sex, colour and age band, the
// economically active, households and families by their head, and people
// with each deficiency. National totals that the program has built in are
// met exactly; everything else follows from plausible rates.
#include "atlas.h"

#include <array>
#include <cstdint>
#include <vector>

namespace daxo::generator {

constexpr int SexCount = 2;        // 0 male, 1 female
constexpr int ColourCount = 3;     // 0 white, 1 black or brown, 2 other
constexpr int AreaCount = 2;       // 0 urban, 1 rural
constexpr int BandCount = 15;
// First age of each band; every age group of the panels starts on one.
constexpr std::array<int, BandCount> BandStart{0, 4, 5, 7, 10, 15, 16, 18, 20, 25, 30, 40, 50, 60, 65};
int bandOf(int age);

// Household categories: total, then three sanitation classifications, each
// complete (their categories add up to the total).
enum Household : int {
    HhTotal, HhGarbageDirect, HhGarbageIndirect, HhGarbageOther,
    HhWaterWell, HhWaterNetwork, HhWaterOther, HhWaterNone,
    HhSewageRudimentary, HhSewageDitch, HhSewageSeptic, HhSewageNetwork, HhSewageNone,
    HouseholdCount
};
// Families: with / without children of 0 to 6, by income per head
// (up to 1/2 minimum wage, between, more than 2).
constexpr int FamilyCount = 6;
inline int familyIndex(bool children, int bracket) { return (children ? 0 : 3) + bracket; }  // bracket 0,1,2
constexpr int MaxDeficiencies = 16;

struct AreaCounts {
    std::int32_t population[SexCount][ColourCount][BandCount] = {};
    std::int32_t active[SexCount][ColourCount][BandCount] = {};
    std::int32_t households[SexCount][ColourCount][HouseholdCount] = {};
    std::int32_t families[SexCount][ColourCount][FamilyCount] = {};
    std::int32_t deficiency[SexCount][MaxDeficiencies] = {};
};

struct MunicipalityCounts {
    bool exists = true;                      // false: created after 1991
    double development = 0.5;                // 0..1, drives the rates
    double incomeLevel = 1;                  // income per head against the country's
    AreaCounts area[AreaCount];
};

struct Migration {
    // moves[sex][origin state][destination state], both indices into Atlas::states
    std::vector<std::vector<std::int64_t>> moves[SexCount];
};

struct CensusModel {
    int census = 2000;
    std::uint64_t seed = 0;
    std::vector<MunicipalityCounts> municipalities;   // parallel to Atlas::municipalities
    Migration migration;
};

// The national totals the model meets exactly.
struct NationalTotals {
    std::int64_t population = 0;
    std::int64_t households = 0;
    std::array<std::int64_t, 4> garbage{};   // diretamente, indiretamente, outro destino, not declared
    std::array<std::int64_t, 4> water{};     // poço, rede geral, outra forma, not piped
    std::array<std::int64_t, 5> sewage{};    // rudimentar, vala, séptica, rede, none
    std::array<std::int64_t, FamilyCount> families{};
    std::int64_t active = 0;
    std::vector<std::int64_t> deficiency;    // per item of the census' list
};
const NationalTotals& nationalTotals(int census);

CensusModel buildCensusModel(const Atlas& atlas, int census, std::uint64_t seed);

} // namespace daxo::generator
