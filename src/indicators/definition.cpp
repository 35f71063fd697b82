#include "definition.h"

#include "age_groups.h"
#include "catalogue.h"

#include <initializer_list>


namespace daxo::indicators {

namespace {

std::string joined(std::initializer_list<std::string> pieces)
{
    std::string text;
    for (const std::string& piece : pieces) {
        if (piece.empty()) continue;
        if (!text.empty()) text += ' ';
        text += piece;
    }
    return text;
}

std::string sexText(const Definition& d)
{
    return sexWords(d.indicator).text[static_cast<std::size_t>(d.sex == Sex::All ? 3 : static_cast<int>(d.sex))];
}

std::string colourOf(const Definition& d) { return colourText(d.indicator, static_cast<int>(d.colour)); }

std::string itemOf(const std::vector<std::string>& items, int index)
{
    return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)] : "";
}

// The household words of indicator 2 (AcrescentaDomicilio).
std::string householdWords(const Definition& d)
{
    const std::string& outroDestino = garbageItems()[2];
    std::string words;
    if (d.garbageCollected && d.garbage != outroDestino) words += " " + GarbageCaption;
    if (d.pipedWater) words += " " + WaterCaption;
    if (d.sewage) words += " " + SewageCaption;
    if (!d.garbage.empty()) words += (d.garbage == outroDestino ? " cujo lixo tem " : " ") + d.garbage;
    if (d.hasWater) words += " " + d.water;
    if (!d.sewageType.empty()) words += " do tipo " + d.sewageType;
    return words;
}

std::string populationText(const Definition& d)   // indicators 0 and 6
{
    const std::string& n = indicatorInfo(d.indicator).itemText;
    const std::string sex = d.sex == Sex::All && d.indicator == 0 ? "" : sexText(d);
    const std::string colour = colourOf(d);
    if (d.agePhrase.empty())
        return sex.empty() && colour.empty() ? n + " total" : joined({n, sex, colour});
    if (sex.empty()) return joined({n, colour, d.agePhrase});
    return joined({n, sex, d.agePhrase, colour});
}

std::string headsOfFamilyText(const Definition& d)   // indicator 1
{
    const std::string spouse = TextoConjuge[static_cast<std::size_t>(d.spouse == Spouse::All ? 3 : static_cast<int>(d.spouse))];
    return joined({"Proporção de mulheres", d.agePhrase, colourOf(d), spouse, "com filhos"});
}

std::string householdsText(const Definition& d)   // indicator 2
{
    std::string x = "Total de domicílios particulares permanentes";
    if (d.sex != Sex::All)
        x += " chefiados por " + joined({sexText(d), colourOf(d)});
    else if (d.colour == Colour::White)
        x += " chefiados por brancos";
    else if (d.colour == Colour::BlackOrBrown)
        x += " chefiados por pretos ou pardos";
    return x + householdWords(d);
}

std::string incomeWords(const std::vector<std::string>& items, int bracket)
{
    // Both income lists end with the same two brackets.
    const std::string text = bracket > 0 ? itemOf(items, static_cast<int>(items.size()) - 3 + bracket) : "";
    return text.empty() ? "" : " com " + IncomeLabelCaption + " " + text;
}

std::string familiesText(const Definition& d)   // indicators 3 and 4
{
    std::string x = d.indicator == 3 ? "Famílias" : indicatorInfo(4).itemText;
    if (d.indicator == 3 && d.children0to6) x += " " + ChildrenCaption + " de idade";
    if (d.sex != Sex::All) x += " chefiadas por " + joined({sexText(d), colourOf(d)});
    return x + incomeWords(d.indicator == 3 ? familyIncomeItems() : meanPersonsIncomeItems(), d.incomeBracket);
}

std::string contributionText(const Definition& d)   // indicator 5
{
    const std::string sex = d.sex == Sex::All ? "" : sexText(d);
    return joined({"Proporção de contribuição do rendimento do chefe", sex, colourOf(d)}) + " no rendimento familiar";
}

std::string peopleText(const Definition& d)   // indicators 7 to 11
{
    const std::string& n = indicatorInfo(d.indicator).itemText;
    std::string name = n;
    if (d.indicator == 7 || d.indicator == 10 || (d.indicator == 8 && !d.occupiedPopulation)) name += " das pessoas";
    if (d.indicator == 8 && d.occupiedPopulation) name += " da população ocupada";
    const std::string q = d.indicator == 11 && d.position > 0
        ? " na posição de " + itemOf(occupiedPositionItems(), d.position) : "";
    const std::string v = d.indicator == 11 && d.contributes ? " que contribui para a previdência social" : "";
    if (d.agePhrase.empty()) return name + v;
    std::string x = name + " " + d.agePhrase;
    if (d.sex != Sex::All) x += " " + sexText(d);
    const std::string colour = colourOf(d);
    if (colour.empty())
        x += q;
    else if (!q.empty() && !v.empty())
        x += q + " " + colour;
    else
        x += " " + colour + q;
    return x + v;
}

std::string incomeText(const Definition& d)   // indicator 12
{
    std::string nr = "Rendimento " + itemOf(incomeTypeItems(), d.incomeType);
    if (d.incomeType != 1 && d.position > 0) nr += " na posição de " + itemOf(incomePositionItems(), d.position);
    return joined({nr, d.agePhrase, d.sex == Sex::All ? "" : sexText(d), colourOf(d)});
}

std::string deficiencyText(const Definition& d)   // indicator 13
{
    const std::string nd = "População " + itemOf(deficiencyItems(d.census), d.deficiency);
    return d.sex == Sex::All ? nd : nd + " " + sexText(d);
}

std::string migrationText(const Definition& d)   // indicator 14
{
    std::string x = d.entry ? "Informação de entrada entre duas datas fixas" : "Informação de saída entre duas datas fixas";
    if (d.sex != Sex::All) x += " da população " + sexText(d);
    return x;
}

} // namespace

std::string definitionText(const Definition& d)
{
    switch (d.indicator) {
    case 0: case 6: return populationText(d);
    case 1: return headsOfFamilyText(d);
    case 2: return householdsText(d);
    case 3: case 4: return familiesText(d);
    case 5: return contributionText(d);
    case 7: case 8: case 9: case 10: case 11: return peopleText(d);
    case 12: return incomeText(d);
    case 13: return deficiencyText(d);
    case 14: return migrationText(d);
    default: return "";
    }
}

} // namespace daxo::indicators
