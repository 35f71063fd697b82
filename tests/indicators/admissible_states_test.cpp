// Walks every panel state a user can reach and the step check lets through,
// builds its rows and checks each term against the enumerated definitions.
#include "indicators/catalogue.h"
#include "indicators/indicator_rows.h"
#include "panel_test_support.h"

#include <gtest/gtest.h>

#include <iostream>
#include <set>

using namespace daxo::indicators;
using namespace daxo::indicators::test;

namespace {

using Action = std::function<void(IndicatorPanels&)>;

// The choices of one panel group, each a list of user actions.
std::vector<Action> boxSubsets(std::vector<std::string> boxes)
{
    std::vector<Action> subsets;
    for (unsigned mask = 0; mask < (1u << boxes.size()); ++mask)
        subsets.push_back([boxes, mask](IndicatorPanels& page) {
            for (std::size_t b = 0; b < boxes.size(); ++b)
                if (mask & (1u << b)) page.clickCheckBox(boxes[b]);
        });
    return subsets;
}

std::vector<Action> comboChoices(const std::string& combo, int items, bool includeNone = true)
{
    std::vector<Action> choices;
    for (int i = includeNone ? -1 : 0; i < items; ++i)
        choices.push_back([combo, i](IndicatorPanels& page) {
            if (i >= 0) page.selectComboItem(combo, i);
        });
    return choices;
}

std::vector<Action> ageChoices(const AgeLists& lists)
{
    std::vector<Action> choices;
    for (int first = 0; first < static_cast<int>(lists.first.size()); ++first)
        for (int last = 0; last < static_cast<int>(lists.last.size()); ++last)
            choices.push_back([first, last](IndicatorPanels& page) {
                page.selectComboItem("cbFaixaInicialPopulacao", first);
                page.selectComboItem("cbFaixaFinalPopulacao", last);
            });
    return choices;
}

std::vector<Action> product(const std::vector<Action>& a, const std::vector<Action>& b)
{
    std::vector<Action> out;
    for (const Action& x : a)
        for (const Action& y : b)
            out.push_back([x, y](IndicatorPanels& page) { x(page); y(page); });
    return out;
}

std::vector<Action> sanitationChoices()
{
    std::vector<Action> choices{[](IndicatorPanels&) {}};
    const std::vector<std::pair<std::string, std::string>> options{
        {"RadioLixoColetado", "cbLixoColetado"},
        {"RadioAguaCanalizada", "cbAguaCanalizada"},
        {"RadioEsgotamentoSanitario", "cbEsgotamentoSanitario"}};
    for (const auto& [radio, combo] : options)
        for (const Action& item : comboChoices(combo, 4))
            choices.push_back([radio, item](IndicatorPanels& page) { page.clickRadioButton(radio); item(page); });
    return choices;
}

// Everything a user can do on the panel of `indicator`, options before ages
// (the population type of indicator 8 replaces the age lists).
std::vector<Action> panelStates(int indicator, int census)
{
    const IndicatorInfo& info = indicatorInfo(indicator);
    std::vector<Action> states{[](IndicatorPanels&) {}};
    switch (indicator) {
    case 2: states = sanitationChoices(); break;
    case 3:
        states = product(boxSubsets({"ckCriancasTotalFamilias"}), comboChoices("cbRendimentoTotalFamilias", 3));
        break;
    case 4: states = comboChoices("cbRendimentoNumMedioPessoas", 2); break;
    case 8: states = comboChoices("cbTipoPopulacao", 0); break;   // placeholder, replaced below
    case 11: states = product(comboChoices("cbPosicaoPopOcupada", 7), boxSubsets({"chkContribui"})); break;
    case 12: {
        std::vector<Action> types;
        for (int t = 0; t < 3; ++t) types.push_back([t](IndicatorPanels& page) { page.selectRadioItem("cbTipoRendMedio12", t); });
        states = product(types, comboChoices("cbPosicaoRendMedio", 6));
        break;
    }
    case 13: states = comboChoices(census == 1991 ? "cbDeficiencia1991" : "cbDeficiencia2000",
                                   static_cast<int>(deficiencyItems(census).size())); break;
    case 14: states = boxSubsets({"chkEntrada", "chkSaida"}); break;
    default: break;
    }
    if (indicator == 8) {
        states.clear();
        for (int type = -1; type < 2; ++type)
            for (const Action& ages : ageChoices(type < 0 ? ageLists(8, census) : populationTypeAgeLists(type)))
                states.push_back([type, ages](IndicatorPanels& page) {
                    if (type >= 0) page.selectRadioItem("cbTipoPopulacao", type);
                    ages(page);
                });
    } else if (info.usaFaixaEtaria) {
        states = product(states, ageChoices(ageLists(indicator, census)));
    }
    if (info.usaSexo) states = product(states, boxSubsets({"chkMasculino", "chkFeminino", "chkTodos"}));
    if (info.usaCor) states = product(states, boxSubsets({"chkBranco", "chkPreto"}));
    if (info.usaConjuge) states = product(states, boxSubsets({"chkConjuge", "chkSemConjuge", "chkTotalConjuge"}));
    return states;
}

std::set<std::string> definitionTexts(int census)
{
    std::set<std::string> texts;
    for (const Definition& d : enumerateDefinitions(census)) texts.insert(definitionText(d));
    return texts;
}

// The terms of a condition, each " Indicador = '…'" (indicator 14 may start
// without the blank), joined by " or"; fails the test when malformed.
std::vector<std::string> termsOf(const std::string& condition, int indicator)
{
    std::vector<std::string> terms;
    std::size_t pos = 0;
    while (pos < condition.size()) {
        if (!terms.empty()) {
            EXPECT_EQ(condition.compare(pos, 3, " or"), 0) << condition;
            pos += 3;
        }
        const std::size_t start = pos;
        if (condition[pos] == ' ') ++pos;
        else EXPECT_TRUE(indicator == 14 && terms.empty()) << condition;
        const bool headOk = condition.compare(pos, 13, "Indicador = '") == 0 || condition.compare(pos, 13, "indicador = '") == 0;
        EXPECT_TRUE(headOk) << condition;
        const std::size_t close = condition.find('\'', pos + 13);
        if (!headOk || close == std::string::npos) {
            ADD_FAILURE() << "malformed: " << condition;
            return terms;
        }
        terms.push_back(condition.substr(start, close + 1 - start));
        pos = close + 1;
    }
    return terms;
}

} // namespace

TEST(AdmissibleStates, EveryRowTermIsAnEnumeratedDefinition)
{
    const std::map<int, std::set<std::string>> enumerated{{1991, definitionTexts(1991)}, {2000, definitionTexts(2000)}};
    std::map<int, std::set<std::string>> reached;
    for (const std::string census : {"1991", "2000", "1991 e 2000"}) {
        const int year = census == "1991" ? 1991 : 2000;
        for (int indicator = 0; indicator < IndicatorCount; ++indicator) {
            if (census == "1991 e 2000" && (indicator == 7 || indicator == 13)) continue;
            const IndicatorPanels prototype = boundPage(indicator, census);
            int states = 0;
            std::set<std::string> terms;
            for (const Action& state : panelStates(indicator, year)) {
                IndicatorPanels page = prototype;
                if (!refusalOf([&] { state(page); }).empty()) continue;
                if (!refusalOf([&] { page.VerificaPasso3(); }).empty()) continue;
                ++states;
                const IndicatorRows rows = MontaLinhasIndicador(page);
                bool anyRow = false;
                for (int r = 1; r <= IndicatorRows::MaxRows; ++r) {
                    if (!rows.hasRow(r)) continue;
                    anyRow = true;
                    const auto row = static_cast<std::size_t>(r);
                    const std::vector<std::string> rowTerms = termsOf(rows.FiltroLinha[row], indicator);
                    ASSERT_EQ(rowTerms.size(), rows.DefinicoesLinha[row].size());
                    for (std::size_t k = 0; k < rowTerms.size(); ++k) {
                        const std::string x = definitionText(rows.DefinicoesLinha[row][k]);
                        EXPECT_NE(rowTerms[k].find("'" + x + "'"), std::string::npos);
                        if (rows.TemIdade && k < IndicatorRows::MaxAgeGroups) {
                            EXPECT_EQ(rows.FiltroLinhaIdade[row][k + 1], rowTerms[k]);
                        }
                        for (int y : {1991, 2000}) {
                            if (census != "1991 e 2000" && y != year) continue;
                            EXPECT_TRUE(enumerated.at(y).count(x)) << census << " " << indicator << ": " << x;
                            reached[y].insert(x);
                        }
                        terms.insert(x);
                    }
                    EXPECT_FALSE(rows.CampoLinha[row].empty());
                    EXPECT_FALSE(rows.RotuloLinha[row].empty());
                }
                // Only indicator 3 with a colour and no single sex is left without rows.
                if (!anyRow) {
                    EXPECT_EQ(indicator, 3);
                }
            }
            std::cout << "census " << census << " indicator " << indicator << ": " << states << " states, "
                      << terms.size() << " distinct terms\n";
            EXPECT_GT(states, 0);
        }
    }
    // The enumeration is exact: every definition it yields is asked for by some state.
    for (int y : {1991, 2000}) EXPECT_EQ(reached[y], enumerated.at(y)) << y;
}
