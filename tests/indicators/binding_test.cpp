#include "panel_test_support.h"

#include <gtest/gtest.h>

#include <map>

using namespace daxo::indicators;
using namespace daxo::indicators::test;

namespace {
// Every control name is unique, letter case ignored.
void expectUniqueNames(const IndicatorPanels& page)
{
    std::map<std::string, int> seen;
    for (const Control& c : page.controls()) {
        std::string key = c.name;
        for (char& ch : key) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(++seen[key], 1) << c.name;
    }
}
} // namespace

TEST(Binding, StartStateBindsNothing)
{
    IndicatorPanels page;
    EXPECT_EQ(page.indicatorIndex(), -1);
    EXPECT_EQ(page.IndicadorAnterior, -1);
    for (const char* role : {"chkMasculino", "chkBranco", "cbFaixaInicialPopulacao", "chkConjuge", "chkTotalConjuge"})
        EXPECT_EQ(page.find(role), nullptr) << role;
    EXPECT_NE(page.find("chkMasculino0"), nullptr);
    EXPECT_NE(page.find("chkSemConjuge1"), nullptr);
    EXPECT_NE(page.find("CHKTODAS10"), nullptr);
    expectUniqueNames(page);
}

TEST(Binding, SchoolAttendanceBindsTheCensusPair)
{
    IndicatorPanels page = boundPage(7, "1991");
    EXPECT_EQ(page.control("cbFaixaInicialPopulacao").items[1], "5");
    EXPECT_TRUE(page.control("cbFaixaInicialPopulacao").visible);
    EXPECT_FALSE(page.control("cbFaixaInicialPopulacao7_2000").visible);

    page.setCensus("2000");
    page.chooseIndicator(7);
    EXPECT_EQ(page.control("cbFaixaInicialPopulacao").items[1], "0");
    EXPECT_FALSE(page.control("cbFaixaInicialPopulacao7_1991").visible);
    expectUniqueNames(page);
}

TEST(Binding, RefusedCensusChangeThenAnotherIndicatorReleasesCleanly)
{
    IndicatorPanels page = boundPage(7, "1991");
    chooseAges(page, "7", "14");
    page.setCensus("1991 e 2000");
    EXPECT_EQ(refusalOf([&] { page.cbIndicadoresChange(); }),
              "Não é possível buscar informações de taxa de freqüência do censo de 1991 e 2000 juntas, levantamentos "
              "diferenciados");
    EXPECT_EQ(page.indicatorIndex(), 7);
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }),
              "Este indicador não pode ser comparado entre os anos, escolha um ano de cada vez");
    page.chooseIndicator(0);
    EXPECT_NE(page.find("cbFaixaInicialPopulacao7_1991"), nullptr);
    EXPECT_EQ(page.control("cbFaixaInicialPopulacao").indicator, 0);
    expectUniqueNames(page);

    EXPECT_EQ(refusalOf([&] { page.chooseIndicator(13); }),
              "Não é possível buscar informações de portadores de deficiência do censo de 1991 e 2000 juntas, "
              "levantamentos diferenciados");
    EXPECT_EQ(page.indicatorIndex(), 0);
}

TEST(Binding, ChoicesSurviveOnTheirOwnPanel)
{
    IndicatorPanels page = boundPage(5);
    page.clickCheckBox("chkMasculino");
    page.chooseIndicator(6);
    EXPECT_FALSE(page.ticked("chkMasculino"));
    EXPECT_EQ(page.control("chkMasculino").indicator, 6);
    page.chooseIndicator(5);
    EXPECT_TRUE(page.ticked("chkMasculino"));
    EXPECT_EQ(page.control("chkMasculino").indicator, 5);
    EXPECT_EQ(page.activePage(), 5);
    EXPECT_TRUE(page.groupVisible(5));
    EXPECT_FALSE(page.groupVisible(6));
    expectUniqueNames(page);
}

TEST(Binding, ARefusedCaptionDoesNotLoseTheBinding)
{
    IndicatorPanels page = boundPage(0);
    page.selectComboItem("cbFaixaInicialPopulacao", 9);
    refusalOf([&] { page.selectComboItem("cbFaixaFinalPopulacao", 6); });
    page.chooseIndicator(6);
    EXPECT_EQ(refusalOf([&] { page.chooseIndicator(0); }), "A faixa etária inicial não pode ser maior que a final");
    EXPECT_EQ(page.IndicadorAnterior, 0);
    page.chooseIndicator(9);
    page.chooseIndicator(6);
    EXPECT_EQ(page.control("chkMasculino").indicator, 6);
    expectUniqueNames(page);
}

TEST(Binding, DescriptionsAndDeficiencyLists)
{
    IndicatorPanels page = boundPage(4);
    EXPECT_EQ(page.notes(),
              "Razão entre o número de componentes nas famílias pelo total de famílias e rendimento familiar per capita.\r\n"
              "Nota: Em 1991 o valor do salário mínimo é de Cr$ 36.161,60 - valor inflacionado para agosto de 2000, com "
              "conversão da moeda.\r\n      Em 2000 o valor do salário mínimo é de R$ 151,00.");
    IndicatorPanels census2000 = boundPage(13, "2000");
    EXPECT_TRUE(census2000.notes().starts_with("Número de pessoas que se declararam deficientes.\r\n\r\nNOTA\r\n"));
    EXPECT_TRUE(census2000.control("cbDeficiencia2000").visible);
    IndicatorPanels deficiency = boundPage(13, "1991");
    EXPECT_TRUE(deficiency.control("cbDeficiencia1991").visible);
    EXPECT_FALSE(deficiency.control("cbDeficiencia2000").visible);
    EXPECT_TRUE(deficiency.notes().ends_with("\r\nfalta de membro, deficiência mental e mais de uma deficiência"));
}
