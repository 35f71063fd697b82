#pragma once
// Everything the definitions count, for one municipality part: the stored
// counts of the model and the counts derived from them with the model's
// rates (literacy, schooling, occupation, income, heads of family …), summed
// cumulatively over the age bands so that any age range is two look-ups.
#include "population_model.h"

#include <vector>

namespace daxo::generator {

namespace attr {
// People, by sex, colour and age band.
constexpr int Population = 0, Illiterate = 1, AtSchool = 2, YearsOfStudy = 3, Active = 4;
constexpr int OccupiedBase = 5;                 // + (position-1)*2 + contributes, positions 1..6
constexpr int YearsOfStudyOccupied = 17;
constexpr int IncomeBase = 18;                  // + position-1, positions 1..5 (sum of monthly income)
constexpr int Heads = 23, HeadIncome = 24;      // heads of household and their income
constexpr int MothersWithSpouse = 25, MothersWithoutSpouse = 26;   // women heads of family with children
// Heads of household or family, by sex and colour, in band 0.
constexpr int HouseholdBase = 27;               // + Household
constexpr int FamilyBase = HouseholdBase + HouseholdCount;         // + family index
constexpr int FamilyPersonsBase = FamilyBase + FamilyCount;        // + family index
constexpr int HeadFamilyIncome = FamilyPersonsBase + FamilyCount;
constexpr int FamilyIncome = HeadFamilyIncome + 1;
// People with a deficiency, by sex (colour 0, band 0).
constexpr int DeficiencyBase = FamilyIncome + 1;
constexpr int Count = DeficiencyBase + MaxDeficiencies;
inline int occupied(int position, bool contributes) { return OccupiedBase + (position - 1) * 2 + (contributes ? 1 : 0); }
} // namespace attr

class AreaAttributes {
public:
    AreaAttributes() : cumulative_(static_cast<std::size_t>(attr::Count) * SexCount * ColourCount * (BandCount + 1), 0.0) {}

    void compute(const CensusModel& model, std::size_t municipality, int area);

    // Sum over bands [firstBand, lastBand] of one attribute for one sex and colour.
    double sum(int attribute, int sex, int colour, int firstBand, int lastBand) const
    {
        const std::size_t base = index(attribute, sex, colour);
        return cumulative_[base + lastBand + 1] - cumulative_[base + firstBand];
    }

private:
    static std::size_t index(int attribute, int sex, int colour)
    {
        return ((static_cast<std::size_t>(attribute) * SexCount + sex) * ColourCount + colour) * (BandCount + 1);
    }
    double& cell(int attribute, int sex, int colour, int band) { return cumulative_[index(attribute, sex, colour) + band + 1]; }

    std::vector<double> cumulative_;
};

} // namespace daxo::generator
