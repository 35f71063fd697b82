// Every definition an admissible panel choice can ask for. The admissibility
// mirrors the step check and the caption's age refusal: indicators 6 to 11
// need an age range, indicator 12 an age range or a position (not both),
// colour needs a single sex on indicators 3, 4 and 6, and so on.
#include "definition.h"

#include "age_groups.h"
#include "catalogue.h"

#include <functional>
#include <optional>
#include <set>
#include <utility>

namespace daxo::indicators {

namespace {

using Variant = std::function<void(Definition&)>;

std::vector<AgeGroup> reachableGroups(int indicator, const AgeLists& lists)
{
    std::vector<AgeGroup> groups;
    std::set<std::string> seen;
    const int count = static_cast<int>(lists.last.size());
    for (int first = 1; first < count; ++first)
        for (int last = first; last < count; ++last)
            for (bool contributes : {false, true})
                for (const AgeGroup& group : ageGroups(indicator, lists, adjustedFirstAge(indicator, lists, first, last),
                                                       last, contributes))
                    if (seen.insert(group.phrase).second) groups.push_back(group);
    return groups;
}

void setAge(Definition& d, const std::optional<AgeGroup>& group)
{
    d.agePhrase = group ? group->phrase : "";
    d.ageMin = group ? group->min : 0;
    d.ageMax = group ? group->max : 0;
}

// The sex and colour pairs a panel can produce as one row.
std::vector<std::pair<Sex, Colour>> sexColourPairs(int indicator)
{
    std::vector<std::pair<Sex, Colour>> pairs;
    const IndicatorInfo& info = indicatorInfo(indicator);
    const bool colourNeedsSingleSex = indicator == 3 || indicator == 4 || indicator == 6;
    for (Sex sex : {Sex::All, Sex::Male, Sex::Female}) {
        if (!info.usaSexo && sex != Sex::All) continue;
        for (Colour colour : {Colour::All, Colour::White, Colour::BlackOrBrown}) {
            if (!info.usaCor && colour != Colour::All) continue;
            if (colourNeedsSingleSex && colour != Colour::All && sex == Sex::All) continue;
            pairs.emplace_back(sex, colour);
        }
    }
    return pairs;
}

// The option variants of each indicator (ages included), each a setter.
std::vector<Variant> optionVariants(int indicator, int census)
{
    std::vector<Variant> variants;
    auto ages = [&](const AgeLists& lists, bool optional, Variant extra) {
        if (optional) variants.push_back([extra](Definition& d) { setAge(d, std::nullopt); extra(d); });
        for (const AgeGroup& group : reachableGroups(indicator, lists))
            variants.push_back([group, extra](Definition& d) { setAge(d, group); extra(d); });
    };
    const Variant nothing = [](Definition&) {};
    switch (indicator) {
    case 0: case 1:
        ages(ageLists(indicator, census), true, nothing);
        break;
    case 2:
        variants.push_back(nothing);
        for (const std::string& item : garbageItems())
            variants.push_back([item](Definition& d) { d.garbageCollected = true; d.garbage = item; });
        variants.push_back([](Definition& d) { d.pipedWater = true; });
        for (const std::string& item : waterItems())
            variants.push_back([item](Definition& d) { d.pipedWater = true; d.hasWater = true; d.water = item; });
        for (const std::string& item : sewageItems())
            variants.push_back([item](Definition& d) { d.sewage = true; d.sewageType = item; });
        break;
    case 3: case 4:
        for (bool children : {false, true}) {
            if (children && indicator == 4) continue;
            for (int bracket = 0; bracket <= 2; ++bracket)
                variants.push_back([children, bracket](Definition& d) { d.children0to6 = children; d.incomeBracket = bracket; });
        }
        break;
    case 6: case 7: case 9: case 10:
        ages(ageLists(indicator, census), false, nothing);
        break;
    case 8:
        for (int type : {0, 1})
            ages(populationTypeAgeLists(type), false, [type](Definition& d) { d.occupiedPopulation = type == 1; });
        break;
    case 11:
        for (int position = 0; position < static_cast<int>(occupiedPositionItems().size()); ++position)
            for (bool contributes : {false, true}) {
                if (contributes && (position == 2 || position == 6)) continue;
                ages(ageLists(11, census), false,
                     [position, contributes](Definition& d) { d.position = position; d.contributes = contributes; });
            }
        break;
    case 12:
        for (int type = 0; type < static_cast<int>(incomeTypeItems().size()); ++type) {
            ages(ageLists(12, census), false, [type](Definition& d) { d.incomeType = type; });
            if (type == 1) continue;   // the position is cleared for this type
            for (int position = 1; position < static_cast<int>(incomePositionItems().size()); ++position)
                variants.push_back([type, position](Definition& d) { d.incomeType = type; d.position = position; });
        }
        break;
    case 13:
        for (int item = 0; item < static_cast<int>(deficiencyItems(census).size()); ++item)
            variants.push_back([item](Definition& d) { d.deficiency = item; });
        break;
    case 14:
        for (bool entry : {true, false}) variants.push_back([entry](Definition& d) { d.entry = entry; });
        break;
    default:
        variants.push_back(nothing);
        break;
    }
    return variants;
}

} // namespace

std::vector<Definition> enumerateDefinitions(int census)
{
    std::vector<Definition> definitions;
    std::set<std::string> seen;
    for (int indicator = 0; indicator < IndicatorCount; ++indicator) {
        const std::vector<Variant> variants = optionVariants(indicator, census);
        for (const auto& [sex, colour] : sexColourPairs(indicator)) {
            const std::vector<Spouse> spouses = indicator == 1
                ? std::vector<Spouse>{Spouse::All, Spouse::With, Spouse::Without} : std::vector<Spouse>{Spouse::All};
            for (Spouse spouse : spouses)
                for (const Variant& variant : variants) {
                    Definition d;
                    d.indicator = indicator;
                    d.census = census;
                    d.sex = sex;
                    d.colour = colour;
                    d.spouse = spouse;
                    variant(d);
                    if (seen.insert(definitionText(d)).second) definitions.push_back(std::move(d));
                }
        }
    }
    return definitions;
}

} // namespace daxo::indicators
