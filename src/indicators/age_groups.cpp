#include "age_groups.h"

#include <string>

namespace daxo::indicators {

namespace {
bool isOpenEnded(const std::string& upper) { return upper.find("ou mais") != std::string::npos; }

AgeGroup groupOf(int indicator, const AgeLists& lists, int k, int last)
{
    const std::string& lower = lists.first.at(static_cast<std::size_t>(k));
    const std::string& upper = lists.last.at(static_cast<std::size_t>(k));
    AgeGroup group;
    group.min = std::stoi(lower);
    if (!isOpenEnded(upper)) {
        group.phrase = "de " + lower + " a " + upper + " anos de idade";
        group.max = std::stoi(upper);
        return group;
    }
    group.max = OuMais;
    if (indicator == 0 && k == last && k == 12)
        group.phrase = "de " + lower + " " + upper + " de idade";
    else
        group.phrase = "de " + lower + " anos " + upper + " de idade";
    return group;
}
} // namespace

int adjustedFirstAge(int indicator, const AgeLists& lists, int first, int last)
{
    if (indicator != 11 || first != 1 || last < 1 || last >= static_cast<int>(lists.last.size()))
        return first;
    // "10" to "ou mais" alone stays group 1; any wider or other range starts at "10" to "15".
    return last == 1 ? 1 : 2;
}

std::vector<AgeGroup> ageGroups(int indicator, const AgeLists& lists, int first, int last, bool contributes)
{
    std::vector<AgeGroup> groups;
    const int count = static_cast<int>(std::min(lists.first.size(), lists.last.size()));
    if (first <= 0 || last <= 0 || first >= count || last >= count) return groups;
    if ((indicator == 11 && first == 1 && last == 1 && contributes) || (indicator == 12 && first == 1 && last == 7)) {
        groups.push_back({"de 10 anos ou mais de idade", 10, OuMais});
        return groups;
    }
    for (int k = first; k <= last; ++k) groups.push_back(groupOf(indicator, lists, k, last));
    return groups;
}

} // namespace daxo::indicators
