#include "panel_test_support.h"

#include <gtest/gtest.h>

using namespace daxo::indicators;
using namespace daxo::indicators::test;

TEST(Caption, PopulationBySexAgeAndColour)
{
    IndicatorPanels page = boundPage(0);
    page.clickCheckBox("chkMasculino");
    page.clickCheckBox("chkFeminino");
    page.clickCheckBox("chkBranco");
    chooseAges(page, "15", "17");
    EXPECT_EQ(page.caption(), "População de homens e mulheres de 15 a 17 anos de idade da cor branca");
    EXPECT_TRUE(page.captionVisible());
}

TEST(Caption, SchoolAttendanceColourWordingFollowsTheSexPhrase)
{
    IndicatorPanels page = boundPage(7);
    chooseAges(page, "7", "14");
    page.clickCheckBox("chkFeminino");
    page.clickCheckBox("chkBranco");
    page.clickCheckBox("chkPreto");
    EXPECT_EQ(page.caption(),
              "Taxa de freqüência à escola de 7 a 14 anos de idade de mulheres de cor branca e preta ou parda (%)");

    IndicatorPanels onlyColour = boundPage(7);
    onlyColour.clickCheckBox("chkBranco");
    EXPECT_EQ(onlyColour.caption(), "Taxa de freqüência à escola das pessoas da cor branca (%)");
}

TEST(Caption, HouseholdsWithGarbageCollected)
{
    IndicatorPanels page = boundPage(2);
    for (const char* box : {"chkMasculino", "chkFeminino", "chkTodos"}) page.clickCheckBox(box);
    page.clickRadioButton("RadioLixoColetado");
    page.selectComboItem("cbLixoColetado", 0);
    EXPECT_EQ(page.caption(),
              "Domicílios particulares permanentes chefiados por mulheres, homens e total com lixo coletado diretamente");
}

TEST(Caption, IncomeDeficiencyMigrationAndHeadsOfFamily)
{
    IndicatorPanels income = boundPage(12);
    income.selectRadioItem("cbTipoRendMedio12", 2);
    income.selectComboItem("cbPosicaoRendMedio", 1);
    income.clickCheckBox("chkMasculino");
    EXPECT_EQ(income.caption(), "Rendimento mediano da população ocupada na posição de empregado de homens");

    IndicatorPanels deficiency = boundPage(13, "2000");
    deficiency.selectComboItem("cbDeficiencia2000", 4);
    deficiency.clickCheckBox("chkFeminino");
    EXPECT_EQ(deficiency.caption(), "População incapaz de ouvir de mulheres");

    IndicatorPanels migration = boundPage(14);
    migration.clickCheckBox("chkEntrada");
    migration.clickCheckBox("chkSaida");
    migration.clickCheckBox("chkTodos");
    EXPECT_EQ(migration.caption(), " Informações de entrada e saída entre duas datas fixas da população total");

    IndicatorPanels heads = boundPage(1);
    heads.clickCheckBox("chkBranco");
    chooseAges(heads, "25", "29");
    heads.clickCheckBox("chkConjuge");
    EXPECT_EQ(heads.caption(),
              "Proporção de mulheres, chefes de família de 25 a 29 anos de idade da cor branca com cônjuge com filhos no "
              "domicílio");
}

TEST(Caption, ContributionAndOccupiedPopulation)
{
    IndicatorPanels contribution = boundPage(5);
    contribution.clickCheckBox("chkFeminino");
    contribution.clickCheckBox("chkPreto");
    EXPECT_EQ(contribution.caption(),
              "Proporção de contribuição do rendimento do chefe mulher de cor preta ou parda no rendimento familiar");

    IndicatorPanels occupied = boundPage(11);
    occupied.selectComboItem("cbFaixaInicialPopulacao", 1);
    occupied.selectComboItem("cbFaixaFinalPopulacao", 1);
    occupied.clickCheckBox("chkMasculino");
    occupied.selectComboItem("cbPosicaoPopOcupada", 1);
    occupied.clickCheckBox("chkContribui");
    EXPECT_EQ(occupied.caption(), "População ocupada de 10 ou mais anos de idade de homens na posição de empregado que "
                                  "contribui para a previdência social");
}

TEST(Caption, AgeHintsListEveryGroup)
{
    IndicatorPanels page = boundPage(6);
    const std::string hint = "Faixa etária: de 15 a 17 anos de idade\rFaixa etária: de 18 a 24 anos de idade\r"
                             "Faixa etária: de 25 ou mais anos de idade";
    EXPECT_EQ(page.control("cbFaixaInicialPopulacao").hint, hint);
    EXPECT_EQ(page.control("cbFaixaFinalPopulacao").hint, hint);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(page.control("lbFaixaEtaria" + std::to_string(k)).hint, hint) << k;
}

TEST(Caption, InvertedAgeRangeRefusedKeepingThePartialCaption)
{
    IndicatorPanels page = boundPage(0);
    std::string published;
    page.onCaptionChanged = [&](const std::string& text) { published = text; };
    page.clickCheckBox("chkMasculino");
    page.selectComboItem("cbFaixaInicialPopulacao", itemOf(page, "cbFaixaInicialPopulacao", "30"));
    const std::string message = refusalOf([&] {
        page.selectComboItem("cbFaixaFinalPopulacao", itemOf(page, "cbFaixaFinalPopulacao", "19"));
    });
    EXPECT_EQ(message, "A faixa etária inicial não pode ser maior que a final");
    EXPECT_EQ(page.caption(), "População de homens");
    EXPECT_EQ(published, "População de homens");
    EXPECT_EQ(page.control("cbFaixaFinalPopulacao").text(), "19");   // the combos keep the choice
}

TEST(Caption, SexTotalsPerIndicator)
{
    IndicatorPanels illiteracy = boundPage(6);
    illiteracy.clickCheckBox("chkFeminino");
    illiteracy.clickCheckBox("chkTodos");
    EXPECT_EQ(illiteracy.caption(), "Taxa de analfabetismo de mulheres da população total (%)");

    IndicatorPanels school = boundPage(7);
    school.clickCheckBox("chkTodos");
    EXPECT_EQ(school.caption(), "Taxa de freqüência à escola (%)");

    IndicatorPanels population = boundPage(0);
    population.clickCheckBox("chkTodos");
    EXPECT_EQ(population.caption(), "População total");
    population.clickCheckBox("chkMasculino");
    population.clickCheckBox("chkFeminino");
    EXPECT_EQ(population.caption(), "População de homens,  mulheres e total");
}
