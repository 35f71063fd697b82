#include "indicators/indicator_rows.h"
#include "panel_test_support.h"

#include <gtest/gtest.h>

using namespace daxo::indicators;
using namespace daxo::indicators::test;

TEST(Rows, PopulationBySexWithTwoAgeGroups)
{
    IndicatorPanels page = boundPage(0);
    page.clickCheckBox("chkMasculino");
    page.clickCheckBox("chkFeminino");
    page.selectComboItem("cbFaixaInicialPopulacao", 1);
    page.selectComboItem("cbFaixaFinalPopulacao", 2);
    const IndicatorRows rows = MontaLinhasIndicador(page);
    EXPECT_EQ(rows.CampoLinha[1], "Mas");
    EXPECT_EQ(rows.CampoLinha[2], "Fem");
    EXPECT_EQ(rows.FiltroLinha[1], " Indicador = 'População masculina de 0 a 3 anos de idade' or Indicador = 'População "
                                   "masculina de 4 a 6 anos de idade'");
    EXPECT_EQ(rows.FiltroLinhaIdade[1][1], " Indicador = 'População masculina de 0 a 3 anos de idade'");
    EXPECT_EQ(rows.FiltroLinhaIdade[1][2], " Indicador = 'População masculina de 4 a 6 anos de idade'");
    EXPECT_EQ(rows.RotuloLinha[2], "Mulheres");
    EXPECT_TRUE(rows.SomaFaixas);
    EXPECT_EQ(rows.QtdFaixas, 2);
    EXPECT_FALSE(rows.hasRow(3));
    EXPECT_EQ(rows.CamposPedidos, (std::vector<std::string>{"Mas", "Fem"}));
    EXPECT_EQ(page.itemIndex("cbFaixaInicialPopulacao"), 1);   // selections as before
}

TEST(Rows, OpenEndedPopulationGroupAndLowerCaseBaseRow)
{
    IndicatorPanels page = boundPage(0);
    page.selectComboItem("cbFaixaInicialPopulacao", 12);
    page.selectComboItem("cbFaixaFinalPopulacao", 12);
    const IndicatorRows rows = MontaLinhasIndicador(page);
    EXPECT_EQ(rows.FaixaEtaria, (std::vector<std::string>{"de 65 ou mais de idade"}));
    EXPECT_EQ(rows.FiltroLinha[1], " indicador = 'População de 65 ou mais de idade'");
    EXPECT_EQ(rows.CampoLinha[1], "Total");
    EXPECT_EQ(rows.RotuloLinha[1], "total");
}

TEST(Rows, IlliteracyTicksTheSexTotal)
{
    IndicatorPanels page = boundPage(6);
    chooseAges(page, "15", "17");
    const IndicatorRows rows = MontaLinhasIndicador(page);
    EXPECT_TRUE(page.ticked("chkTodos"));
    EXPECT_EQ(page.caption(), "Taxa de analfabetismo da população total de 15 a 17 anos de idade (%)");
    EXPECT_EQ(rows.FiltroLinha[1], " Indicador = 'Taxa de analfabetismo das pessoas de 15 a 17 anos de idade'");
    EXPECT_EQ(rows.RotuloLinha[1], "População Total");
}

TEST(Rows, HeadsOfFamilyWithoutSpouseTakesRowTwo)
{
    IndicatorPanels page = boundPage(1);
    page.clickCheckBox("chkSemConjuge");
    page.clickCheckBox("chkPreto");
    const IndicatorRows rows = MontaLinhasIndicador(page);
    EXPECT_FALSE(rows.hasRow(1));
    EXPECT_EQ(rows.CampoLinha[2], "Sem");
    EXPECT_EQ(rows.FiltroLinha[2], " Indicador = 'Proporção de mulheres sem cônjuge com filhos'");
    EXPECT_EQ(rows.FiltroLinha[4], " Indicador = 'Proporção de mulheres da cor preta ou parda com filhos'");
    EXPECT_EQ(rows.RotuloLinha[4], "Preta ou Parda Total");
    EXPECT_EQ(rows.FiltroLinha[5], " Indicador = 'Proporção de mulheres da cor preta ou parda sem cônjuge com filhos'");
    EXPECT_EQ(rows.CampoLinha[5], "SemPre");
    EXPECT_EQ(rows.RotuloLinha[5], "Preta ou Parda sem Cônjuge");
    EXPECT_EQ(rows.CamposPedidos, (std::vector<std::string>{"SemPre"}));
}

TEST(Rows, HouseholdsOfMaleHeadsWithGarbageCollected)
{
    IndicatorPanels page = boundPage(2);
    page.clickCheckBox("chkMasculino");
    page.clickRadioButton("RadioLixoColetado");
    page.selectComboItem("cbLixoColetado", 0);
    const IndicatorRows rows = MontaLinhasIndicador(page);
    EXPECT_EQ(rows.FiltroLinha[1],
              " Indicador = 'Total de domicílios particulares permanentes chefiados por homens com lixo coletado "
              "diretamente'");
}

TEST(Rows, MigrationDirections)
{
    IndicatorPanels neither = boundPage(14);
    IndicatorRows rows = MontaLinhasIndicador(neither);
    EXPECT_EQ(rows.CampoLinha[1], "entrada");
    EXPECT_EQ(rows.FiltroLinha[1], "Indicador = 'Informação de entrada entre duas datas fixas'");
    EXPECT_EQ(rows.CampoLinha[2], "saida");
    EXPECT_EQ(rows.RotuloLinha[2], "Saída");
    EXPECT_EQ(rows.FiltroLinha[2], " Indicador = 'Informação de saída entre duas datas fixas'");

    IndicatorPanels women = boundPage(14);
    women.clickCheckBox("chkSaida");
    women.clickCheckBox("chkFeminino");
    women.clickCheckBox("chkTodos");
    rows = MontaLinhasIndicador(women);
    EXPECT_EQ(rows.FiltroLinha[1], "Indicador = 'Informação de saída entre duas datas fixas da população do sexo feminino'");
    EXPECT_EQ(rows.CampoLinha[1], "saidaFem");
    EXPECT_EQ(rows.RotuloLinha[1], "Saída Mulheres");
    EXPECT_EQ(rows.FiltroLinha[2], "Indicador = 'Informação de saída entre duas datas fixas'");
    EXPECT_EQ(rows.CampoLinha[2], "saidaTotal");
}

TEST(Rows, InvertedRangeLeavesAgeRowsWithoutCondition)
{
    IndicatorPanels page = boundPage(9);
    page.clickCheckBox("chkMasculino");
    page.selectComboItem("cbFaixaInicialPopulacao", 4);
    refusalOf([&] { page.selectComboItem("cbFaixaFinalPopulacao", 2); });
    const IndicatorRows rows = MontaLinhasIndicador(page);
    EXPECT_TRUE(rows.TemIdade);
    EXPECT_EQ(rows.QtdFaixas, 0);
    for (int r = 1; r <= IndicatorRows::MaxRows; ++r) EXPECT_FALSE(rows.hasRow(r)) << r;
}

TEST(Rows, ColourBySexLabelsAndLayout)
{
    IndicatorPanels page = boundPage(0);
    for (const char* box : {"chkMasculino", "chkFeminino", "chkTodos", "chkBranco", "chkPreto"}) page.clickCheckBox(box);
    const IndicatorRows rows = MontaLinhasIndicador(page);
    const std::vector<std::string> columns{"", "Mas", "Fem", "Total", "Bra", "BraMas", "BraFem", "Pre", "PreMas", "PreFem"};
    for (int r = 1; r <= 9; ++r) EXPECT_EQ(rows.CampoLinha[static_cast<std::size_t>(r)], columns[static_cast<std::size_t>(r)]);
    EXPECT_EQ(rows.RotuloLinha[6], "Mulheres Brancas");
    EXPECT_EQ(rows.RotuloLinha[8], "Homens Pretos ou Pardos");
    EXPECT_EQ(rows.FiltroLinha[3], " Indicador = 'População total'");
    EXPECT_EQ(rows.FiltroLinha[9], " Indicador = 'População feminina da cor preta ou parda'");
    EXPECT_EQ(rows.CamposPedidos,
              (std::vector<std::string>{"BraMas", "BraFem", "BraTotal", "PreMas", "PreFem", "PreTotal"}));
    EXPECT_EQ(CorConcordante("Branca", "Total"), "Total");
}

TEST(Rows, OccupiedPopulationFromTenOrMoreIsNotCountedTwice)
{
    IndicatorPanels page = boundPage(11);
    page.clickCheckBox("chkFeminino");
    page.selectComboItem("cbFaixaInicialPopulacao", 1);
    page.selectComboItem("cbFaixaFinalPopulacao", 7);
    const IndicatorRows rows = MontaLinhasIndicador(page);
    EXPECT_EQ(page.itemIndex("cbFaixaInicialPopulacao"), 2);
    EXPECT_EQ(rows.FaixaEtaria.front(), "de 10 a 15 anos de idade");
    EXPECT_EQ(rows.FaixaEtaria.back(), "de 60 anos ou mais de idade");
    EXPECT_EQ(rows.QtdFaixas, 6);
    EXPECT_EQ(rows.FiltroLinhaIdade[1][6],
              " Indicador = 'População ocupada de 60 anos ou mais de idade do sexo feminino'");
}
