#include "area_attributes.h"

#include "apportion.h"
#include "random.h"

#include <algorithm>
#include <cmath>

namespace daxo::generator {
namespace {

//                                  0     4     5     7     10    15    16    18    20    25    30    40    50    60    65
constexpr double Illiteracy[]   = {1.00, 0.90, 0.60, 0.22, 0.08, 0.05, 0.05, 0.06, 0.07, 0.08, 0.10, 0.14, 0.22, 0.30, 0.38};
constexpr double Attendance[]   = {0.10, 0.50, 0.72, 0.95, 0.93, 0.80, 0.70, 0.45, 0.25, 0.10, 0.05, 0.02, 0.01, 0.01, 0.01};
constexpr double StudyYears[]   = {0.00, 0.00, 0.10, 2.00, 4.50, 7.00, 7.50, 8.50, 8.50, 8.00, 7.50, 6.50, 5.00, 4.00, 3.00};
constexpr double IncomeByAge[]  = {0.00, 0.00, 0.00, 0.00, 0.15, 0.25, 0.30, 0.45, 0.65, 0.90, 1.10, 1.25, 1.25, 1.05, 0.95};
constexpr double HeadRate[2][BandCount] = {
    {0, 0, 0, 0, 0.001, 0.01, 0.02, 0.08, 0.25, 0.55, 0.75, 0.80, 0.80, 0.75, 0.70},
    {0, 0, 0, 0, 0.001, 0.01, 0.02, 0.04, 0.08, 0.12, 0.16, 0.20, 0.25, 0.30, 0.35}};
constexpr double MotherRate[]   = {0, 0, 0, 0, 0.000, 0.02, 0.03, 0.05, 0.07, 0.10, 0.15, 0.15, 0.10, 0.06, 0.03};
// Occupation: empregado, militar ou estatutário, trabalhador doméstico,
// conta-própria, empregador, não remunerado.
constexpr double PositionShare[] = {0.55, 0.06, 0.08, 0.22, 0.03, 0.06};
constexpr double Contribution[]  = {0.65, 1.00, 0.30, 0.20, 0.60, 0.00};
constexpr double PositionIncome[] = {600, 1200, 250, 650, 2500};   // reais of 2000, monthly
constexpr double FamilySize[]     = {4.6, 3.6, 2.9};                // by income bracket
constexpr double IncomePerHead[]  = {45, 170, 600};                 // reais of 2000, by bracket

} // namespace

void AreaAttributes::compute(const CensusModel& model, std::size_t municipality, int area)
{
    std::fill(cumulative_.begin(), cumulative_.end(), 0.0);
    const MunicipalityCounts& mun = model.municipalities[municipality];
    const AreaCounts& counts = mun.area[area];
    const double d = mun.development;
    const bool old = model.census == 1991;
    const bool rural = area == 1;
    const double money = old ? 0.85 : 1.0;   // 1991 values brought to 2000 reais

    for (int s = 0; s < SexCount; ++s)
        for (int c = 0; c < ColourCount; ++c) {
            const double colourEdge = c == 0 ? 1.0 : (c == 1 ? -1.0 : 0.0);   // white advantage
            for (int b = 0; b < BandCount; ++b) {
                const double people = counts.population[s][c][b];
                const double active = counts.active[s][c][b];
                const double jitter = between(model.seed, {municipality, std::uint64_t(area), std::uint64_t(s * 3 + c), std::uint64_t(b)}, 0.9, 1.1);
                cell(attr::Population, s, c, b) = people;
                cell(attr::Active, s, c, b) = active;

                double illiteracy = Illiteracy[b] * (1 - 0.6 * d) * (1 - 0.35 * colourEdge) * (rural ? 1.8 : 1.0) * (old ? 1.35 : 1.0) * jitter;
                if (b >= bandOf(40)) illiteracy *= s == 1 ? 1.1 : 0.95;
                cell(attr::Illiterate, s, c, b) = std::llround(people * std::min(illiteracy, 0.97));

                double attendance = Attendance[b] * (0.85 + 0.15 * d) * (rural ? 0.9 : 1.0) * (old ? (b < bandOf(7) ? 0.5 : 0.85) : 1.0) * jitter;
                if (b >= bandOf(15) && b < bandOf(25)) attendance *= s == 1 ? 1.05 : 0.95;
                cell(attr::AtSchool, s, c, b) = std::llround(people * std::min(attendance, 0.99));

                const double years = StudyYears[b] * (0.6 + 0.6 * d) * (1 + 0.15 * colourEdge) * (rural ? 0.65 : 1.0) * (old ? 0.8 : 1.0) * (s == 1 ? 1.04 : 1.0) * jitter;
                cell(attr::YearsOfStudy, s, c, b) = std::llround(people * years);

                // Occupation of the active people.
                const double occupiedRate = (old ? 0.93 : 0.86) * (rural ? 1.05 : 1.0) * jitter;
                const std::int64_t occupied = std::min<std::int64_t>(std::llround(active * std::min(occupiedRate, 0.99)), static_cast<std::int64_t>(active));
                std::vector<double> shares(std::begin(PositionShare), std::end(PositionShare));
                shares[2] *= s == 1 ? 2.5 : 0.2;
                shares[5] *= rural ? 2.5 : 1.0;
                shares[0] *= rural ? 0.6 : 1.0;
                const std::vector<std::int64_t> byPosition = apportion(occupied, shares);
                double earnings = 0, earners = 0;
                for (int p = 1; p <= 6; ++p) {
                    const double inPosition = static_cast<double>(byPosition[p - 1]);
                    const double contributing = std::llround(inPosition * std::min(Contribution[p - 1] * (p == 2 ? 1.0 : (0.7 + 0.5 * d) * (old ? 1.1 : 1.0)), 1.0));
                    cell(attr::occupied(p, true), s, c, b) = contributing;
                    cell(attr::occupied(p, false), s, c, b) = inPosition - contributing;
                    if (p <= 5) {
                        const double income = PositionIncome[p - 1] * mun.incomeLevel * (1 + 0.35 * colourEdge) * (s == 1 ? 0.7 : 1.0) * IncomeByAge[b] * (rural ? 0.5 : 1.0) * money * jitter;
                        cell(attr::IncomeBase + p - 1, s, c, b) = std::round(inPosition * income * 100) / 100;
                        earnings += inPosition * income;
                        earners += inPosition;
                    }
                }
                cell(attr::YearsOfStudyOccupied, s, c, b) = std::llround(static_cast<double>(occupied) * years * 1.1);

                const double heads = std::llround(people * HeadRate[s][b] * (old && s == 1 ? 0.8 : 1.0));
                cell(attr::Heads, s, c, b) = heads;
                const double meanEarning = earners > 0 ? earnings / earners : PositionIncome[0] * mun.incomeLevel * money * 0.5;
                cell(attr::HeadIncome, s, c, b) = std::round(heads * meanEarning * 1.15 * 100) / 100;

                if (s == 1) {
                    const double mothers = std::llround(people * MotherRate[b] * (c == 1 ? 1.2 : 1.0) * (old ? 0.8 : 1.0) * jitter);
                    const double withSpouse = std::llround(mothers * 0.22);
                    cell(attr::MothersWithSpouse, s, c, b) = withSpouse;
                    cell(attr::MothersWithoutSpouse, s, c, b) = mothers - withSpouse;
                }
            }

            for (int k = 0; k < HouseholdCount; ++k) cell(attr::HouseholdBase + k, s, c, 0) = counts.households[s][c][k];
            double familyIncome = 0;
            for (int k = 0; k < FamilyCount; ++k) {
                const bool children = k < 3;
                const int bracket = k % 3;
                const double families = counts.families[s][c][k];
                const double size = FamilySize[bracket] + (children ? 0.9 : 0.0) + (old ? 0.3 : 0.0) + (rural ? 0.3 : 0.0) - (s == 1 ? 0.5 : 0.0);
                const double persons = std::llround(families * size * between(model.seed, {municipality, std::uint64_t(area * 100 + s * 10 + c), std::uint64_t(k)}, 0.95, 1.05));
                cell(attr::FamilyBase + k, s, c, 0) = families;
                cell(attr::FamilyPersonsBase + k, s, c, 0) = persons;
                familyIncome += persons * IncomePerHead[bracket] * (0.5 + 0.5 * mun.incomeLevel) * money;
            }
            const double headShare = ((s == 0 ? 0.72 : 0.62) + 0.04 * colourEdge) * (0.92 + 0.16 * d) *
                                     between(model.seed, {municipality, std::uint64_t(area * 10 + s), std::uint64_t(c), 0x4EAD}, 0.95, 1.05);
            cell(attr::FamilyIncome, s, c, 0) = std::round(familyIncome * 100) / 100;
            cell(attr::HeadFamilyIncome, s, c, 0) = std::round(familyIncome * headShare * 100) / 100;
        }
    for (int s = 0; s < SexCount; ++s)
        for (int k = 0; k < MaxDeficiencies; ++k) cell(attr::DeficiencyBase + k, s, 0, 0) = counts.deficiency[s][k];

    // Running sums over the bands.
    for (std::size_t base = 0; base < cumulative_.size(); base += BandCount + 1)
        for (int b = 1; b <= BandCount; ++b) cumulative_[base + b] += cumulative_[base + b - 1];
}

} // namespace daxo::generator
