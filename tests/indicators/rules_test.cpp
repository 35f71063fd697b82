#include "panel_test_support.h"

#include <gtest/gtest.h>

using namespace daxo::indicators;
using namespace daxo::indicators::test;

TEST(Rules, SexTotalWithColourIsUntickedAndRefused)
{
    IndicatorPanels page = boundPage(3);
    page.clickCheckBox("chkBranco");
    EXPECT_EQ(refusalOf([&] { page.clickCheckBox("chkTodos"); }), "A opção total não pode se usada com cor");
    EXPECT_FALSE(page.ticked("chkTodos"));
    EXPECT_EQ(page.caption(), "Famílias da cor branca");
}

TEST(Rules, IncomeTypeRewritesNotesAndDisablesPosition)
{
    IndicatorPanels page = boundPage(12);
    page.selectComboItem("cbPosicaoRendMedio", 2);
    page.selectRadioItem("cbTipoRendMedio12", 1);
    EXPECT_FALSE(page.control("cbPosicaoRendMedio").hasSelection());
    EXPECT_FALSE(page.control("cbPosicaoRendMedio").enabled);
    EXPECT_FALSE(page.control("lblPosicaoRendMedio").enabled);
    EXPECT_FALSE(page.control("lbOu").visible);
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }),
              "A faixa etária e obrigatória para o tipo de rendimento médio da população ocupada \rEscolha a faixa etária");
    page.selectRadioItem("cbTipoRendMedio12", 2);
    EXPECT_TRUE(page.control("cbPosicaoRendMedio").enabled);
    EXPECT_TRUE(page.control("lbOu").visible);
    EXPECT_EQ(page.notes().substr(0, 30), "Valor do rendimento mensal de ");
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }),
              "Para o redimento mediano da população ocupada, escolha a faixa etária ou uma das opções de \"Posição na "
              "ocupação\" ");
    page.selectComboItem("cbPosicaoRendMedio", 1);
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }), "");
    chooseAges(page, "16", "17");
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }),
              "As opções faixa etária e na posição de, não podem ser escolhidas juntas\rEscolha somente uma das opções");
}

TEST(Rules, SocialSecurityRefusedForTheYoungestGroupOnly)
{
    IndicatorPanels page = boundPage(11);
    chooseAges(page, "10", "15");
    ASSERT_EQ(page.itemIndex("cbFaixaInicialPopulacao"), 1);   // the first "10" pairs with "ou mais"
    page.selectComboItem("cbFaixaInicialPopulacao", 2);
    EXPECT_EQ(refusalOf([&] { page.clickCheckBox("chkContribui"); }),
              "A opção - contribui para a previdência - não é válida para esta opção, pode-se usar a opção de 10 anos ou "
              "mais de idade");
    EXPECT_FALSE(page.ticked("chkContribui"));
    page.selectComboItem("cbFaixaInicialPopulacao", 1);
    page.selectComboItem("cbFaixaFinalPopulacao", 1);
    page.clickCheckBox("chkContribui");
    EXPECT_TRUE(page.ticked("chkContribui"));
}

TEST(Rules, DeficiencyNotesUnderCensus2000)
{
    IndicatorPanels page = boundPage(13, "2000");
    page.selectComboItem("cbDeficiencia2000", 7);
    EXPECT_EQ(page.notes(),
              "NOTA\r\nNúmero de pessoas que se declararam sem nenhuma dificuldade de para ouvir, aind que isto exija o "
              "uso de aparelho auditivo.\rAuto-avaliação da capacidade de ouvir. Caso a pessoa usasse aparelho auditivo, "
              "a avaliação foi feita enquanto o estivesse usando");
    page.selectComboItem("cbDeficiencia2000", 0);
    EXPECT_EQ(page.notes(), "NOTA\r\n\rAuto-avaliação da capacidade de enxergar. Caso a pessoas usasse óculos ou lentes "
                            "de contato, a avaliação foi feita enquanto os estivesse usando.");
    page.selectComboItem("cbDeficiencia2000", 14);
    EXPECT_EQ(page.notes(), "");

    IndicatorPanels census1991 = boundPage(13, "1991");
    census1991.selectComboItem("cbDeficiencia1991", 2);
    EXPECT_TRUE(census1991.notes().starts_with("Número de pessoas que se declararam deficientes.\r\n"));
}

TEST(StepCheck, RefusalsInTheirOrder)
{
    IndicatorPanels illiteracy = boundPage(6);
    illiteracy.clickCheckBox("chkPreto");
    EXPECT_EQ(refusalOf([&] { illiteracy.VerificaPasso3(); }),
              "Escolha pelo menos uma opção - Masculino ou Feminino - quando usar cor");
    IndicatorPanels population = boundPage(0);
    population.clickCheckBox("chkPreto");
    EXPECT_EQ(refusalOf([&] { population.VerificaPasso3(); }), "");

    IndicatorPanels active = boundPage(9);
    active.selectComboItem("cbFaixaInicialPopulacao", 2);
    EXPECT_EQ(refusalOf([&] { active.VerificaPasso3(); }), "Preenchimento das faixas etárias inicial e final é obrigatório");

    IndicatorPanels rate = boundPage(10);
    rate.selectComboItem("cbFaixaInicialPopulacao", itemOf(rate, "cbFaixaInicialPopulacao", "25"));
    refusalOf([&] { rate.selectComboItem("cbFaixaFinalPopulacao", itemOf(rate, "cbFaixaFinalPopulacao", "17")); });
    EXPECT_EQ(refusalOf([&] { rate.VerificaPasso3(); }), "A faixa etária inicial não pode ser maior que a final");

    IndicatorPanels occupied = boundPage(11);
    EXPECT_EQ(refusalOf([&] { occupied.VerificaPasso3(); }), "Preenchimento das faixas etárias inicial e final é obrigatório");
    chooseAges(occupied, "18", "24");
    occupied.clickCheckBox("chkContribui");
    occupied.selectComboItem("cbPosicaoPopOcupada", 2);
    EXPECT_EQ(refusalOf([&] { occupied.VerificaPasso3(); }),
              "Na posição de militar e que contribui para a previdência social não podem estar selecionados juntos");
    occupied.selectComboItem("cbPosicaoPopOcupada", 6);
    EXPECT_EQ(refusalOf([&] { occupied.VerificaPasso3(); }),
              "Na posição de não remunerado e que contribui para a previdência social não podem estar selecionados juntos");
    occupied.selectComboItem("cbPosicaoPopOcupada", 1);
    EXPECT_EQ(refusalOf([&] { occupied.VerificaPasso3(); }), "");

    IndicatorPanels migration = boundPage(14);
    EXPECT_EQ(refusalOf([&] { migration.VerificaPasso3(); }), "Escolha umas das opçoes -  entrada ou/e saída");

    IndicatorPanels deficiency = boundPage(13, "1991");
    EXPECT_EQ(refusalOf([&] { deficiency.VerificaPasso3(); }), "Escolha pelo menos um indicador");
}

TEST(StepCheck, Sanitation)
{
    IndicatorPanels page = boundPage(2);
    EXPECT_TRUE(page.ticked("Desmarca"));
    page.clickRadioButton("RadioAguaCanalizada");
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }), "");   // water is not tested
    page.clickRadioButton("RadioLixoColetado");
    EXPECT_FALSE(page.ticked("Desmarca"));
    EXPECT_FALSE(page.ticked("RadioAguaCanalizada"));
    EXPECT_TRUE(page.control("cbLixoColetado").enabled);
    EXPECT_TRUE(page.control("cbLixoColetado").droppedDown);
    EXPECT_EQ(page.control("cbLixoColetado").colour, ColourWhite);
    EXPECT_EQ(page.control("cbAguaCanalizada").colour, ColourDisabledGrey);
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }), "Escolha uma forma de lixo coletado");
    page.clickRadioButton("RadioEsgotamentoSanitario");
    EXPECT_EQ(refusalOf([&] { page.VerificaPasso3(); }), "Escolha uma forma de esgotamento sanitário");
    page.selectComboItem("cbEsgotamentoSanitario", 3);
    page.clickCheckBox("Desmarca");
    EXPECT_FALSE(page.ticked("RadioEsgotamentoSanitario"));
    EXPECT_FALSE(page.control("cbEsgotamentoSanitario").hasSelection());
    EXPECT_FALSE(page.control("cbEsgotamentoSanitario").enabled);   // no household words without an option
}

TEST(StepCheck, HalfChosenAgesAndMissingPopulationTypeAreRefused)
{
    IndicatorPanels population = boundPage(0);
    population.selectComboItem("cbFaixaInicialPopulacao", 3);
    EXPECT_EQ(population.caption(), "População de 7 anos de idade");
    EXPECT_EQ(refusalOf([&] { population.VerificaPasso3(); }),
              "Preenchimento das faixas etárias inicial e final é obrigatório");

    IndicatorPanels study = boundPage(8);
    chooseAges(study, "15", "17");
    EXPECT_EQ(refusalOf([&] { study.VerificaPasso3(); }), "Escolha o tipo de população - Total ou Ocupada");
    study.selectRadioItem("cbTipoPopulacao", 1);
    EXPECT_FALSE(study.control("cbFaixaInicialPopulacao").hasSelection());   // the lists were replaced
    EXPECT_EQ(study.control("cbFaixaInicialPopulacao").items[1], "10");
    chooseAges(study, "16", "17");
    EXPECT_EQ(refusalOf([&] { study.VerificaPasso3(); }), "");
    EXPECT_EQ(study.caption(), "Média de anos de estudo da população ocupada de 16 a 17 anos de idade");
}
