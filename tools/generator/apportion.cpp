#include "apportion.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace daxo::generator {

std::vector<std::int64_t> apportion(std::int64_t total, const std::vector<double>& weights)
{
    const std::vector<std::int64_t> noCaps(weights.size(), total);
    return apportionCapped(total, weights, noCaps);
}

std::vector<std::int64_t> apportionCapped(std::int64_t total, const std::vector<double>& weights,
                                          const std::vector<std::int64_t>& caps)
{
    const std::size_t n = weights.size();
    std::vector<std::int64_t> parts(n, 0);
    std::int64_t left = total;
    // A few rounds: each gives the remainder in proportion to the weights of
    // the parts that still have room.
    for (int round = 0; round < 50 && left > 0; ++round) {
        double weightSum = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (parts[i] < caps[i]) weightSum += std::max(weights[i], 0.0);
        if (weightSum <= 0) break;
        std::vector<std::pair<double, std::size_t>> remainders;
        std::int64_t given = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (parts[i] >= caps[i] || weights[i] <= 0) continue;
            const double ideal = static_cast<double>(left) * weights[i] / weightSum;
            const std::int64_t whole = std::min<std::int64_t>(static_cast<std::int64_t>(std::floor(ideal)),
                                                              caps[i] - parts[i]);
            parts[i] += whole;
            given += whole;
            if (parts[i] < caps[i]) remainders.emplace_back(ideal - std::floor(ideal), i);
        }
        left -= given;
        std::stable_sort(remainders.begin(), remainders.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        for (const auto& [fraction, i] : remainders) {
            if (left == 0) break;
            ++parts[i];
            --left;
        }
    }
    // Rows with zero weight but room take what is still left.
    for (std::size_t i = 0; i < n && left > 0; ++i) {
        const std::int64_t room = std::min(caps[i] - parts[i], left);
        parts[i] += room;
        left -= room;
    }
    if (left > 0) throw std::logic_error("apportionCapped: bounds below the total");
    return parts;
}

std::vector<std::vector<std::int64_t>> apportionTable(const std::vector<std::int64_t>& rowTotals,
                                                      const std::vector<std::int64_t>& categoryTotals,
                                                      const std::vector<std::vector<double>>& preference)
{
    const std::size_t rows = rowTotals.size(), cats = categoryTotals.size();
    // Real-valued fit of both margins (iterative proportional fitting).
    std::vector<std::vector<double>> x(rows, std::vector<double>(cats));
    for (std::size_t r = 0; r < rows; ++r) {
        const double sum = std::accumulate(preference[r].begin(), preference[r].end(), 0.0);
        for (std::size_t k = 0; k < cats; ++k)
            x[r][k] = sum > 0 ? static_cast<double>(rowTotals[r]) * preference[r][k] / sum : 0;
    }
    for (int iteration = 0; iteration < 20; ++iteration) {
        for (std::size_t k = 0; k < cats; ++k) {
            double column = 0;
            for (std::size_t r = 0; r < rows; ++r) column += x[r][k];
            const double scale = column > 0 ? static_cast<double>(categoryTotals[k]) / column : 0;
            for (std::size_t r = 0; r < rows; ++r) x[r][k] *= scale;
        }
        for (std::size_t r = 0; r < rows; ++r) {
            const double row = std::accumulate(x[r].begin(), x[r].end(), 0.0);
            const double scale = row > 0 ? static_cast<double>(rowTotals[r]) / row : 0;
            for (double& v : x[r]) v *= scale;
        }
    }
    // Whole numbers category by category within each row's room; the last
    // category takes what each row has left, which is then exact as well.
    std::vector<std::vector<std::int64_t>> table(rows, std::vector<std::int64_t>(cats, 0));
    std::vector<std::int64_t> room = rowTotals;
    for (std::size_t k = 0; k + 1 < cats; ++k) {
        std::vector<double> weights(rows);
        for (std::size_t r = 0; r < rows; ++r) weights[r] = x[r][k];
        const std::vector<std::int64_t> column = apportionCapped(categoryTotals[k], weights, room);
        for (std::size_t r = 0; r < rows; ++r) {
            table[r][k] = column[r];
            room[r] -= column[r];
        }
    }
    for (std::size_t r = 0; r < rows && cats > 0; ++r) table[r][cats - 1] = room[r];
    return table;
}

} // namespace daxo::generator
