#include "measure.h"

#include "indicators/age_groups.h"
#include "indicators/catalogue.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace daxo::generator {
namespace {

using indicators::Colour;
using indicators::Definition;
using indicators::Sex;

// The median income is taken as a fixed share of the mean: incomes are
// skewed, and one share keeps the median computable from the same sums.
constexpr double MedianShare = 0.62;

int indexIn(const std::vector<std::string>& items, const std::string& item)
{
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// The ages an indicator covers when no age range is chosen.
int defaultFirstAge(const Definition& d)
{
    switch (d.indicator) {
    case 1: case 6: return 15;
    case 7: return d.census == 1991 ? 5 : 0;
    case 8: return d.occupiedPopulation ? 10 : 7;
    case 9: case 10: case 11: case 12: return 10;
    default: return 0;
    }
}

std::vector<int> householdAttributes(const Definition& d)
{
    std::vector<int> hh;
    auto add = [&](int first, int last) { for (int k = first; k <= last; ++k) hh.push_back(attr::HouseholdBase + k); };
    const int garbage = indexIn(indicators::garbageItems(), d.garbage);
    const int water = indexIn(indicators::waterItems(), d.water);       // 0 is the blank item
    const int sewage = indexIn(indicators::sewageItems(), d.sewageType);
    if (garbage >= 0) add(HhGarbageDirect + garbage, HhGarbageDirect + garbage);
    else if (d.garbageCollected) add(HhGarbageDirect, HhGarbageIndirect);
    else if (d.hasWater && water >= 1) add(HhWaterWell + water - 1, HhWaterWell + water - 1);
    else if (d.pipedWater) add(HhWaterWell, HhWaterOther);
    else if (sewage >= 0) add(HhSewageRudimentary + sewage, HhSewageRudimentary + sewage);
    else if (d.sewage) add(HhSewageRudimentary, HhSewageNetwork);
    else add(HhTotal, HhTotal);
    return hh;
}

std::vector<int> familyAttributes(int base, bool onlyWithChildren, int bracket)
{
    // bracket: 0 any, 1 up to 1/2 minimum wage, 2 more than 2 minimum wages
    std::vector<int> families;
    for (int children = 1; children >= 0; --children) {
        if (onlyWithChildren && !children) continue;
        for (int b = 0; b < 3; ++b)
            if (bracket == 0 || (bracket == 1 && b == 0) || (bracket == 2 && b == 2))
                families.push_back(base + familyIndex(children == 1, b));
    }
    return families;
}

std::vector<int> occupiedAttributes(int position, bool onlyContributing)
{
    std::vector<int> occupied;
    for (int p = 1; p <= 6; ++p) {
        if (position != 0 && p != position) continue;
        occupied.push_back(attr::occupied(p, true));
        if (!onlyContributing) occupied.push_back(attr::occupied(p, false));
    }
    return occupied;
}

} // namespace

Measure measureOf(const Definition& d)
{
    Measure m;
    m.sexes = d.sex == Sex::Male ? std::vector<int>{0} : d.sex == Sex::Female ? std::vector<int>{1} : std::vector<int>{0, 1};
    m.colours = d.colour == Colour::White ? std::vector<int>{0}
              : d.colour == Colour::BlackOrBrown ? std::vector<int>{1} : std::vector<int>{0, 1, 2};
    if (!d.agePhrase.empty()) {
        const bool open = d.ageMax >= indicators::OuMais;
        m.firstBand = bandOf(d.ageMin);
        m.lastBand = open ? BandCount - 1 : bandOf(d.ageMax);
        const bool aligned = BandStart[m.firstBand] == d.ageMin &&
                             (open || (m.lastBand + 1 < BandCount && BandStart[m.lastBand + 1] == d.ageMax + 1));
        if (!aligned) throw std::invalid_argument("Faixa etária fora das faixas do modelo: " + d.agePhrase);
    } else {
        m.firstBand = bandOf(defaultFirstAge(d));
    }
    switch (d.indicator) {
    case 0:
        m.numerator = {attr::Population};
        break;
    case 1:
        m.kind = MeasureKind::Percent;
        m.sexes = {1};
        if (d.spouse != indicators::Spouse::Without) m.numerator.push_back(attr::MothersWithSpouse);
        if (d.spouse != indicators::Spouse::With) m.numerator.push_back(attr::MothersWithoutSpouse);
        m.denominator = {attr::Population};
        break;
    case 2:
        m.numerator = householdAttributes(d);
        break;
    case 3:
        m.numerator = familyAttributes(attr::FamilyBase, d.children0to6, d.incomeBracket);
        break;
    case 4:
        m.kind = MeasureKind::Mean;
        m.numerator = familyAttributes(attr::FamilyPersonsBase, false, d.incomeBracket);
        m.denominator = familyAttributes(attr::FamilyBase, false, d.incomeBracket);
        break;
    case 5:
        m.kind = MeasureKind::Percent;
        m.numerator = {attr::HeadFamilyIncome};
        m.denominator = {attr::FamilyIncome};
        break;
    case 6: case 7: case 10:   // share of the people of the ages chosen
        m.kind = MeasureKind::Percent;
        m.numerator = {d.indicator == 6 ? attr::Illiterate : d.indicator == 7 ? attr::AtSchool : attr::Active};
        m.denominator = {attr::Population};
        break;
    case 8:
        m.kind = MeasureKind::Mean;
        if (d.occupiedPopulation) {
            m.numerator = {attr::YearsOfStudyOccupied};
            m.denominator = occupiedAttributes(0, false);
        } else {
            m.numerator = {attr::YearsOfStudy};
            m.denominator = {attr::Population};
        }
        break;
    case 9:
        m.numerator = {attr::Active};
        break;
    case 11:
        m.numerator = occupiedAttributes(d.position, d.contributes);
        break;
    case 12:
        m.kind = d.incomeType == 2 ? MeasureKind::Median : MeasureKind::Mean;
        if (d.incomeType == 1) {
            m.numerator = {attr::HeadIncome};
            m.denominator = {attr::Heads};
        } else {
            for (int p = 1; p <= 5; ++p) {
                if (d.position != 0 && p != d.position) continue;
                m.numerator.push_back(attr::IncomeBase + p - 1);
                m.denominator.push_back(attr::occupied(p, true));
                m.denominator.push_back(attr::occupied(p, false));
            }
        }
        break;
    case 13:
        if (d.deficiency < 0 || d.deficiency >= MaxDeficiencies) throw std::invalid_argument("Deficiência sem item");
        m.numerator = {attr::DeficiencyBase + d.deficiency};
        m.colours = {0};
        break;
    default:
        throw std::invalid_argument("Indicador sem medida no modelo: " + std::to_string(d.indicator));
    }
    if (d.indicator >= 2 && d.indicator <= 5) {
        m.firstBand = 0;
        m.lastBand = BandCount - 1;
    }
    return m;
}

Fraction evaluate(const Measure& m, const AreaAttributes& a)
{
    Fraction f;
    for (int s : m.sexes)
        for (int c : m.colours) {
            for (int at : m.numerator) f.numerator += a.sum(at, s, c, m.firstBand, m.lastBand);
            for (int at : m.denominator) f.denominator += a.sum(at, s, c, m.firstBand, m.lastBand);
        }
    return f;
}

double valueOf(const Measure& m, const Fraction& f)
{
    double value = 0;
    switch (m.kind) {
    case MeasureKind::Count: value = f.numerator; break;
    case MeasureKind::Percent: value = f.denominator > 0 ? 100 * f.numerator / f.denominator : 0; break;
    case MeasureKind::Mean: value = f.denominator > 0 ? f.numerator / f.denominator : 0; break;
    case MeasureKind::Median: value = f.denominator > 0 ? MedianShare * f.numerator / f.denominator : 0; break;
    }
    return std::round(value * 100) / 100;
}

} // namespace daxo::generator
