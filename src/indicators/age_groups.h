#pragma once
// The age phrases of an age range chosen on a panel (PreencheFaixas).
#include "catalogue.h"

#include <string>
#include <vector>

namespace daxo::indicators {

constexpr int OuMais = 999;   // upper bound of an open age group

struct AgeGroup {
    std::string phrase;   // e.g. "de 0 a 3 anos de idade"
    int min = 0;
    int max = 0;          // OuMais for "ou mais"
};

// The phrases of the groups first..last (item indices of the two lists);
// none when either index is 0 or less or last < first. `contributes` is the
// social-security box of indicator 11.
std::vector<AgeGroup> ageGroups(int indicator, const AgeLists& lists, int first, int last, bool contributes);

// Indicator 11 pairs item 1 of its first list with "ou mais"; a range that
// reaches past that group starts at item 2 instead (the same age, paired
// with "15"), so that no age is counted twice.
int adjustedFirstAge(int indicator, const AgeLists& lists, int first, int last);

} // namespace daxo::indicators
