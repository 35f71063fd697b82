#include "localities/geography.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace daxo::localities {
namespace {

TEST(Geography, CountsPerStateAndInAll)
{
    const std::map<std::string, int> expected = {
        {"AC", 5},  {"AL", 13}, {"AP", 4},  {"AM", 13}, {"BA", 32}, {"CE", 33}, {"DF", 1},
        {"ES", 13}, {"GO", 18}, {"MA", 21}, {"MT", 22}, {"MS", 11}, {"MG", 66}, {"PA", 22},
        {"PB", 23}, {"PR", 39}, {"PE", 19}, {"PI", 15}, {"RJ", 18}, {"RN", 19}, {"RS", 35},
        {"RO", 8},  {"RR", 4},  {"SC", 20}, {"SP", 63}, {"SE", 13}, {"TO", 8}};
    ASSERT_EQ(states().size(), 27u);
    int total = 0;
    for (const State& state : states()) {
        const auto micro = microregionsOf(state);
        EXPECT_EQ(static_cast<int>(micro.size()), expected.at(std::string(state.sigla))) << state.text;
        EXPECT_EQ(state.microregionCount, expected.at(std::string(state.sigla))) << state.text;
        total += static_cast<int>(micro.size());
    }
    EXPECT_EQ(total, kMicroregionTotal);
    EXPECT_EQ(total, 558);
}

TEST(Geography, EachStateNumbersItsMicroregionsOneToCountOnce)
{
    for (const State& state : states()) {
        std::vector<int> numbers;
        for (const Microregion& m : microregionsOf(state))
            numbers.push_back(m.number);
        std::ranges::sort(numbers);
        for (int k = 0; k < static_cast<int>(numbers.size()); ++k)
            EXPECT_EQ(numbers[k], k + 1) << state.text;
    }
}

TEST(Geography, TreeOrderAndSlicesLineUp)
{
    EXPECT_EQ(states().front().text, "Acre");
    EXPECT_EQ(states().back().text, "Tocantins");
    EXPECT_EQ(microregionsOf(states().front()).front().text, "Brasiléia");
    EXPECT_EQ(microregionsOf(states().back()).back().text, "Rio Formoso");
    const State& sp = *stateByUf("35");
    EXPECT_EQ(microregionsOf(sp).front().text, "Adamantina");
    EXPECT_EQ(microregionsOf(sp).back().text, "Votuporanga");
    EXPECT_EQ(microregionsOf(*stateByUf("53")).front().text, "Brasília");

    std::vector<std::string_view> regionTexts;
    for (const Region& r : regions())
        regionTexts.push_back(r.text);
    EXPECT_EQ(regionTexts, (std::vector<std::string_view>{"Norte", "Nordeste", "Centro-Oeste", "Sudeste", "Sul"}));
}

TEST(Geography, LookupsAndCodes)
{
    const State* acre = stateByUf("12");
    ASSERT_NE(acre, nullptr);
    EXPECT_EQ(acre->sigla, "AC");
    EXPECT_EQ(stateIndex(*acre), 0);
    EXPECT_EQ(stateByUf("99"), nullptr);
    EXPECT_EQ(stateByUf(""), nullptr);
    EXPECT_EQ(regionByCode("6"), nullptr);

    // Sul is 3 and Sudeste 4: the region code is not the first digit of the UF.
    EXPECT_EQ(regionOf(*stateByUf("43")).text, "Sul");
    EXPECT_EQ(regionOf(*stateByUf("35")).text, "Sudeste");
    EXPECT_EQ(regionOf(*stateByUf("53")).colour, 0xA45F16u);
    EXPECT_EQ(regionOf(*acre).colour, 0x008000u);

    EXPECT_EQ(microregionCode(*acre, 1), "12001");
    EXPECT_EQ(microregionMapId(*acre, 1), "120001");
    EXPECT_EQ(microregionCode(*stateByUf("31"), 66), "31066");
    EXPECT_EQ(microregionMapId(*stateByUf("53"), 1), "530001");

    State stray = *acre;
    EXPECT_EQ(stateIndex(stray), -1);
    EXPECT_TRUE(microregionsOf(stray).empty());
}

TEST(Geography, CodesAndNamesAreUnique)
{
    std::set<std::string_view> ufs, siglas, layers;
    for (const State& s : states()) {
        ufs.insert(s.uf);
        siglas.insert(s.sigla);
        layers.insert(s.layerName);
        EXPECT_NE(regionByCode(s.regionCode), nullptr) << s.text;
        EXPECT_TRUE(s.layerFile.starts_with("Mapas/Estados/")) << s.text;
        EXPECT_TRUE(s.layerFile.ends_with(".shp")) << s.text;
    }
    EXPECT_EQ(ufs.size(), 27u);
    EXPECT_EQ(siglas.size(), 27u);
    EXPECT_EQ(layers.size(), 27u);
}

} // namespace
} // namespace daxo::localities
