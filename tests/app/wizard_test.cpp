// The wizard's transitions, driven through its handlers with the simple pages.
#include "app/refusal.h"
#include "stand_in_pages.h"
#include "app/wizard.h"

#include <QComboBox>
#include <gtest/gtest.h>

using namespace daxo::app;

namespace {

class WizardTest : public testing::Test {
protected:
    StandInIndicatorPage indicators;
    StandInLocalityPage localities;
    Wizard wizard{indicators, localities};

    void SetUp() override
    {
        indicators.attach(wizard);
        localities.attach(wizard);
        wizard.start();
    }
    const ShellView& v() const { return wizard.view(); }
    void goTo(int passo)
    {
        while (wizard.passoAtual() < passo)
            wizard.btAvancarClick();
        ASSERT_EQ(wizard.passoAtual(), passo);
    }
    void selectIndicator(int index) { indicators.cbIndicadores->setCurrentIndex(index); }
};

TEST_F(WizardTest, StartsOnTheWelcomePage)
{
    EXPECT_EQ(wizard.passoAtual(), PassoBoasVindas);
    EXPECT_EQ(v().banner, 0);
    EXPECT_EQ(v().page, 0);
    EXPECT_FALSE(v().btVoltar);
    EXPECT_TRUE(v().btAvancar);
    EXPECT_TRUE(v().panel4);
    EXPECT_FALSE(v().lblFiltro);
    EXPECT_FALSE(v().lblCenso);
    EXPECT_FALSE(v().lblResultCenso);
    EXPECT_EQ(v().mensagem, "Velmora");
    EXPECT_FALSE(indicators.hasIndicator());
}

TEST_F(WizardTest, AvancarTwiceFromStartSelectsPopulacaoFor1991)
{
    wizard.btAvancarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoCenso);
    EXPECT_EQ(v().page, 1);
    EXPECT_EQ(v().banner, 1);
    EXPECT_FALSE(v().panel4);
    EXPECT_TRUE(v().cbCenso);
    EXPECT_FALSE(v().btVoltar);
    EXPECT_FALSE(localities.treeView1);
    EXPECT_FALSE(localities.chosenList);

    wizard.btAvancarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    EXPECT_EQ(indicators.indicatorIndex(), 0);
    EXPECT_EQ(v().caption, "População");
    EXPECT_TRUE(v().lblResultIndicador);
    EXPECT_EQ(v().page, 2);
    EXPECT_EQ(v().banner, 2);
    EXPECT_TRUE(indicators.panelVisible);
    EXPECT_TRUE(v().lblFiltro);
    EXPECT_TRUE(v().btVoltar);
    EXPECT_TRUE(v().lblCenso);
    EXPECT_TRUE(v().lblResultCenso);
    EXPECT_EQ(v().censusLabel, "1991");
    EXPECT_FALSE(v().painelUnidade);
}

TEST_F(WizardTest, ForwardToLocalityRunsTheChecksThenShowsTheTree)
{
    goTo(PassoLocalidade);
    EXPECT_EQ(indicators.leaveCount, 1);
    EXPECT_EQ(v().mensagem, "");
    EXPECT_EQ(localities.heading, "Selecione a Localidade e clique no botão Avançar");
    EXPECT_FALSE(v().cbCenso);
    EXPECT_EQ(v().banner, 3);
    EXPECT_EQ(v().page, 3);
    EXPECT_TRUE(localities.treeView1);
    EXPECT_FALSE(localities.treeView2);
    EXPECT_TRUE(localities.chosenList);
    EXPECT_FALSE(v().imgLogoCentral);
    EXPECT_FALSE(indicators.panelVisible);
    EXPECT_TRUE(v().painelUnidade);
    EXPECT_TRUE(v().btVoltar);
}

TEST_F(WizardTest, MigrationShowsItsOwnTreeAndEmptiesTheChosenList)
{
    goTo(PassoIndicador);
    localities.chosen = 2;
    selectIndicator(kMigracao);
    wizard.btAvancarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoLocalidade);
    EXPECT_TRUE(localities.treeView2);
    EXPECT_FALSE(localities.treeView1);
    EXPECT_EQ(localities.chosen, 0);
}

TEST_F(WizardTest, NoIndicatorGivesTheYellowMessageAndStays)
{
    goTo(PassoIndicador);
    selectIndicator(-1);
    wizard.btAvancarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    EXPECT_EQ(v().mensagem, "Selecione um indicador para continuar");
    EXPECT_TRUE(v().mensagemAmarela);
    EXPECT_EQ(indicators.leaveCount, 0);

    // The colour stays for later messages.
    selectIndicator(3);
    wizard.btAvancarClick();
    EXPECT_EQ(v().mensagem, "");
    EXPECT_TRUE(v().mensagemAmarela);
}

TEST_F(WizardTest, RefusedStepCheckLeavesTheWizardOnTheIndicatorPage)
{
    goTo(PassoIndicador);
    selectIndicator(-1);
    wizard.btAvancarClick();
    ASSERT_EQ(v().mensagem, "Selecione um indicador para continuar");
    selectIndicator(0);
    indicators.onLeave = [] { refuse("Este indicador não pode ser comparado entre os anos, escolha um ano de cada vez"); };
    localities.heading = "anterior";
    EXPECT_THROW(wizard.btAvancarClick(), Refusal);
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    EXPECT_EQ(v().page, 2);
    EXPECT_EQ(v().banner, 2);
    EXPECT_EQ(localities.heading, "anterior");
    EXPECT_TRUE(indicators.panelVisible);
    EXPECT_EQ(v().mensagem, "");   // the one change made before the check
}

TEST_F(WizardTest, RefusedIndicatorChangeStillEntersTheIndicatorStep)
{
    goTo(PassoCenso);
    wizard.cbCensoChange(2);
    selectIndicator(7);
    indicators.onChange = [] { refuse("recusa"); };
    EXPECT_THROW(wizard.btAvancarClick(), Refusal);
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    EXPECT_EQ(indicators.indicatorIndex(), 7);
    EXPECT_EQ(v().censusLabel, "1991 e 2000");
}

TEST_F(WizardTest, VoltarFromLocalityKeepsChoicesAndReturnsToIndicators)
{
    goTo(PassoLocalidade);
    localities.choose();
    localities.municipio = "Microrregião de Rio Branco - 5 Municípios";
    wizard.btVoltarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    EXPECT_EQ(v().page, 2);
    EXPECT_EQ(v().banner, 2);
    EXPECT_EQ(localities.heading, "");
    EXPECT_EQ(localities.municipio, "");
    EXPECT_TRUE(indicators.panelVisible);
    EXPECT_FALSE(v().painelUnidade);
    EXPECT_EQ(localities.chosen, 1);
    EXPECT_EQ(indicators.indicatorIndex(), 0);

    // Forward again re-runs the checks and the row builder.
    wizard.btAvancarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoLocalidade);
    EXPECT_EQ(indicators.leaveCount, 2);
}

TEST_F(WizardTest, OutputChoiceAndBack)
{
    goTo(PassoSaida);
    EXPECT_TRUE(v().pnEscolhaSaida);
    EXPECT_FALSE(localities.selectionEnabled);
    EXPECT_FALSE(v().btAvancar);

    wizard.setWaitingVisible(true);
    wizard.btVoltarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoLocalidade);
    EXPECT_FALSE(v().pnEscolhaSaida);
    EXPECT_FALSE(v().pnaguarde);
    EXPECT_TRUE(localities.selectionEnabled);
    EXPECT_TRUE(v().btAvancar);
}

TEST_F(WizardTest, VoltarFromIndicatorGoesToTheCensus)
{
    goTo(PassoIndicador);
    wizard.btVoltarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoCenso);
    EXPECT_EQ(v().page, 1);
    EXPECT_EQ(v().caption, "");
    EXPECT_FALSE(v().lblResultIndicador);
    EXPECT_FALSE(v().btVoltar);
    EXPECT_FALSE(indicators.panelVisible);
    EXPECT_EQ(localities.municipio, "");
}

TEST_F(WizardTest, BtnUnidadeByState)
{
    // State 0: only its common part.
    wizard.btnUnidadeClick();
    EXPECT_EQ(wizard.passoAtual(), PassoBoasVindas);
    EXPECT_TRUE(localities.treeView1);

    // State 1 goes to the indicator page, not to the localities.
    wizard.btAvancarClick();
    wizard.btnUnidadeClick();
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);

    // State 3 goes back to the indicator page.
    wizard.btAvancarClick();
    ASSERT_EQ(wizard.passoAtual(), PassoLocalidade);
    wizard.btnUnidadeClick();
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    EXPECT_EQ(v().page, 2);

    // State 4: the output panel goes, the step stays.
    goTo(PassoSaida);
    wizard.btnUnidadeClick();
    EXPECT_EQ(wizard.passoAtual(), PassoSaida);
    EXPECT_FALSE(v().pnEscolhaSaida);
    EXPECT_TRUE(localities.selectionEnabled);
    EXPECT_FALSE(v().btAvancar);
    wizard.btVoltarClick();
    EXPECT_EQ(wizard.passoAtual(), PassoLocalidade);
    EXPECT_TRUE(v().btAvancar);
}

TEST_F(WizardTest, BtnUnidadeWithMigrationEmptiesTheChosenList)
{
    goTo(PassoIndicador);
    selectIndicator(kMigracao);
    localities.chosen = 3;
    wizard.btnUnidadeClick();
    EXPECT_EQ(wizard.passoAtual(), PassoLocalidade);
    EXPECT_EQ(localities.chosen, 0);
    EXPECT_TRUE(localities.treeView2);
}

TEST_F(WizardTest, BtnCensoFromOutputKeepsTheOutputPanel)
{
    goTo(PassoSaida);
    wizard.btnCensoClick();
    EXPECT_EQ(wizard.passoAtual(), PassoCenso);
    EXPECT_EQ(v().page, 1);
    EXPECT_TRUE(v().pnEscolhaSaida);
    EXPECT_FALSE(localities.selectionEnabled);
    EXPECT_FALSE(v().btAvancar);

    wizard.btnIndicadorClick();
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    wizard.btnIndicadorClick();
    EXPECT_EQ(wizard.passoAtual(), PassoLocalidade);
    EXPECT_TRUE(v().pnEscolhaSaida);
    EXPECT_FALSE(localities.selectionEnabled);
    EXPECT_FALSE(v().btAvancar);
}

TEST_F(WizardTest, BtnIndicadorByState)
{
    wizard.btnIndicadorClick();
    EXPECT_EQ(wizard.passoAtual(), PassoBoasVindas);
    EXPECT_FALSE(v().panel4);
    goTo(PassoLocalidade);
    wizard.btnIndicadorClick();
    EXPECT_EQ(wizard.passoAtual(), PassoIndicador);
    goTo(PassoSaida);
    wizard.btnIndicadorClick();
    EXPECT_EQ(wizard.passoAtual(), PassoSaida);
    EXPECT_TRUE(v().pnEscolhaSaida);
}

TEST_F(WizardTest, LocalityClicksReleaseTheOutputPanel)
{
    goTo(PassoSaida);
    localities.choose();
    EXPECT_EQ(wizard.passoAtual(), PassoLocalidade);
    EXPECT_FALSE(v().pnEscolhaSaida);
    EXPECT_TRUE(localities.selectionEnabled);
    EXPECT_TRUE(v().btAvancar);
}

TEST_F(WizardTest, CensusComboWritesTheStatusStrip)
{
    goTo(PassoCenso);
    wizard.cbCensoChange(1);
    EXPECT_EQ(wizard.censusText(), "2000");
    EXPECT_EQ(v().censusLabel, "2000");
    wizard.btAvancarClick();
    EXPECT_EQ(v().censusLabel, "2000");
}

} // namespace
