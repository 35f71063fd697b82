#pragma once
// Whole-number shares of a total: the counts of the sample installation are
// integers that add up exactly, level by level.
#include <cstdint>
#include <vector>

namespace daxo::generator {

// Splits `total` in proportion to `weights` (largest remainders); the parts
// sum to `total` exactly (with all weights zero the first part takes it all).
std::vector<std::int64_t> apportion(std::int64_t total, const std::vector<double>& weights);

// The same with an upper bound per part; what a bound refuses goes to the
// parts with room left. Requires the bounds to sum to at least `total`.
std::vector<std::int64_t> apportionCapped(std::int64_t total, const std::vector<double>& weights,
                                          const std::vector<std::int64_t>& caps);

// Splits each row total over the categories so that the rows keep their
// totals and each category reaches its given total exactly (the category
// totals must sum to the row totals' sum). `preference[r][k]` says how much
// row r leans to category k. Result: [row][category].
std::vector<std::vector<std::int64_t>> apportionTable(const std::vector<std::int64_t>& rowTotals,
                                                      const std::vector<std::int64_t>& categoryTotals,
                                                      const std::vector<std::vector<double>>& preference);

} // namespace daxo::generator
