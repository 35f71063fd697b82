#include "apportion.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace daxo::generator;

namespace {
std::int64_t sum(const std::vector<std::int64_t>& v) { return std::accumulate(v.begin(), v.end(), std::int64_t{0}); }
}

TEST(Apportion, PartsAddUpExactlyAndFollowTheWeights)
{
    const auto parts = apportion(1000, {1, 1, 1});
    EXPECT_EQ(sum(parts), 1000);
    for (auto p : parts) EXPECT_NEAR(p, 333, 1);
    EXPECT_EQ(apportion(7, {0, 2, 0, 5}), (std::vector<std::int64_t>{0, 2, 0, 5}));
    EXPECT_EQ(sum(apportion(169872856, {0.3, 1e-9, 2.7, 11})), 169872856);
}

TEST(Apportion, CapsAreRespectedAndTheRestGoesElsewhere)
{
    const auto parts = apportionCapped(100, {10, 1, 1}, {20, 100, 100});
    EXPECT_EQ(parts[0], 20);
    EXPECT_EQ(sum(parts), 100);
    // A part with no weight still takes what nobody else can.
    const auto forced = apportionCapped(10, {1, 0}, {4, 100});
    EXPECT_EQ(forced, (std::vector<std::int64_t>{4, 6}));
    EXPECT_THROW(apportionCapped(10, {1, 1}, {2, 3}), std::logic_error);
}

TEST(Apportion, TableKeepsBothMargins)
{
    const std::vector<std::int64_t> rows{120, 7, 0, 873};
    const std::vector<std::int64_t> categories{400, 1, 599};
    const std::vector<std::vector<double>> preference{{1, 0, 5}, {9, 1, 1}, {1, 1, 1}, {3, 1e-6, 1}};
    const auto table = apportionTable(rows, categories, preference);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(sum(table[r]), rows[r]);
        for (auto v : table[r]) EXPECT_GE(v, 0);
    }
    for (std::size_t k = 0; k < categories.size(); ++k) {
        std::int64_t column = 0;
        for (const auto& row : table) column += row[k];
        EXPECT_EQ(column, categories[k]);
    }
}
