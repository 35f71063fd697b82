#include "localities/locality_selection.h"
#include "recording_effects.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace daxo::localities {
namespace {

using testing::RecordingEffects;

// First node with the text at or after `from`.
int positionOf(const std::string& text, int from = 0)
{
    for (const TreeNode& n : hierarchyTree())
        if (n.position >= from && n.text == text)
            return n.position;
    throw std::logic_error("no node " + text);
}

int migrationPositionOf(const std::string& text)
{
    for (const MigrationNode& n : migrationTree())
        if (n.text == text)
            return n.position;
    throw std::logic_error("no node " + text);
}

void expectRefusal(const std::function<void()>& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "no refusal, expected " << message;
    } catch (const LocalityRefusal& e) {
        EXPECT_EQ(e.what(), message);
    }
}

class Selection : public ::testing::Test {
protected:
    RecordingEffects effects;
    LocalitySelection sel{effects};
};

TEST_F(Selection, ClickingHighlightsAndSetsCodigoLocal)
{
    sel.TreeView1Click(positionOf("Sul Rural"));
    EXPECT_EQ(effects.last().routine, "Pintaqui");
    EXPECT_EQ(effects.last().valor, "SUL");
    EXPECT_EQ(effects.last().camada, "Regioes");
    EXPECT_EQ(effects.last().cor, 0x6118A1u);
    EXPECT_EQ(sel.CodigoLocal(), "3");
    EXPECT_EQ(effects.touched, 1);
    EXPECT_EQ(effects.untick, 1);
    EXPECT_TRUE(effects.toolbar);

    sel.TreeView1Click(positionOf("Brasil Urbano"));
    EXPECT_EQ(effects.last().valor, "Brasil");
    EXPECT_EQ(effects.last().camada, "Brasil");
    EXPECT_EQ(effects.last().cor, kNoHighlight);
    EXPECT_EQ(sel.CodigoLocal(), "0");
    EXPECT_EQ(effects.hint, "Seleção da unidade espacial - Atual: Brasil - \rduplo click - adciona item");

    // Regiões: all white, the Região hint, CodigoLocal left alone.
    sel.TreeView1Click(3);
    EXPECT_EQ(effects.last().valor, "Todos");
    EXPECT_EQ(effects.last().camada, "Regioes");
    EXPECT_EQ(sel.CodigoLocal(), "0");
    EXPECT_EQ(effects.hint, "Seleção da unidade espacial - Atual: Por Região - \rduplo click - adciona item");

    sel.TreeView1Click(positionOf("Cruzeiro do Sul"));
    EXPECT_EQ(effects.last().routine, "PintaquiEstado");
    EXPECT_EQ(effects.last().valor, "120001");
    EXPECT_EQ(effects.last().camada, "ind_Acre");
    EXPECT_EQ(effects.last().cor, 0x008000u);
    EXPECT_EQ(sel.CodigoLocal(), "12001");

    sel.TreeView1Click(kMicroregionsGroupPosition);
    EXPECT_EQ(sel.CodigoLocal(), "101");
    EXPECT_EQ(effects.last().camada, "Estados");

    sel.TreeView1Click(positionOf("Bahia", 102));
    EXPECT_EQ(effects.last().routine, "PintaquiEstado");
    EXPECT_EQ(effects.last().valor, "Todos");
    EXPECT_EQ(effects.last().camada, "ind_Bahia");
    EXPECT_EQ(sel.CodigoLocal(), "29");

    sel.TreeView1Click(19);
    EXPECT_EQ(sel.CodigoLocal(), "101");
    EXPECT_EQ(effects.hint, "Seleção da unidade espacial - Atual: Por UF - \rduplo click - adciona item");
    EXPECT_TRUE(effects.chooserOpened.empty());
}

TEST_F(Selection, StateUnderMunicipioOpensTheChooserEachTime)
{
    sel.TreeView1Click(kMunicipalitiesGroupPosition);
    EXPECT_EQ(effects.hint, "Seleção da unidade espacial - Atual: Por Municípioduplo click - adciona item");
    EXPECT_TRUE(sel.CodigoLocal().empty());
    EXPECT_FALSE(effects.toolbar);

    sel.TreeView1Click(688);
    EXPECT_EQ(effects.last().valor, "ACRE");
    EXPECT_EQ(effects.last().camada, "Estados");
    EXPECT_EQ(sel.CodigoLocal(), "12");
    ASSERT_EQ(effects.chooserOpened.size(), 1u);
    EXPECT_EQ(effects.chooserOpened[0], "Acre/12");

    // Expanding any node while Acre stays selected: the selected node counts.
    sel.TreeView1Expanded(688);
    EXPECT_EQ(effects.chooserOpened.size(), 2u);
    sel.TreeView1Expanded(-1);
    sel.TreeView1Click(-1);
    EXPECT_EQ(effects.chooserOpened.size(), 2u);
}

TEST_F(Selection, MapFailuresAreSilentButAMissingMunicipalityTableIsNot)
{
    effects.failingLayer = "Regioes";
    sel.TreeView1Click(positionOf("Norte"));   // highlight fails first: nothing after it
    EXPECT_TRUE(sel.CodigoLocal().empty());
    EXPECT_EQ(effects.listShown, 1);

    effects.chooser = [](const State&) { throw MunicipalityTableError("Não foi possível ler a tabela de municípios"); };
    EXPECT_THROW(sel.TreeView1Click(700), MunicipalityTableError);
}

TEST_F(Selection, AddingFromTheTree)
{
    sel.TreeView1DblClick(positionOf("Norte"));
    expectRefusal([&] { sel.TreeView1DblClick(positionOf("Norte")); }, "Esta localidade já foi escolhida");
    sel.TreeView1DblClick(positionOf("Goiás Rural"));
    sel.TreeView1DblClick(positionOf("Brasil Rural"));
    sel.TreeView1DblClick(19);
    sel.TreeView1DblClick(3);
    sel.TreeView1DblClick(kMicroregionsGroupPosition);   // adds nothing
    sel.TreeView1DblClick(positionOf("Norte Urbano"));
    sel.TreeView1DblClick(positionOf("Brasiléia"));
    sel.TreeView1DblClick(positionOf("Acre", 102));
    sel.TreeView1DblClick(0);
    EXPECT_EQ(sel.chosen().texts(),
              (std::vector<std::string>{"Norte", "Goiás Rural", "Brasil Rural", "Unidade da Federação", "Regiões",
                                        "Norte Urbano", "Brasiléia", "Acre", "Brasil"}));
    EXPECT_EQ(sel.chosen().codes(), (std::vector<std::string>{"1", "52999", "999", "12345678", "987654321", "1888",
                                                              "12005", "12", "0"}));

    // The same state under "Unidade da Federação" is a duplicate by code.
    expectRefusal([&] { sel.TreeView1DblClick(20); }, "Esta localidade já foi escolhida");
    EXPECT_EQ(sel.chosen().size(), 9);
}

TEST_F(Selection, MunicipioTwiceAndStatesUnderIt)
{
    sel.TreeView1DblClick(kMunicipalitiesGroupPosition);
    expectRefusal([&] { sel.TreeView1DblClick(kMunicipalitiesGroupPosition); }, "Esta localidade já foi escolhida");
    EXPECT_EQ(sel.chosen().texts(), std::vector<std::string>{"Municípios"});
    EXPECT_EQ(sel.chosen().codes(), std::vector<std::string>{"999999"});

    // A state under Município adds only what the chooser adds.
    effects.chooser = [&](const State&) { sel.chosen().append("Rio Branco", "120040"); };
    sel.TreeView1DblClick(688);
    EXPECT_EQ(sel.chosen().codes(), (std::vector<std::string>{"999999", "120040"}));
}

TEST_F(Selection, GroupNodesAddTheirSentinelWhateverCodigoLocalHolds)
{
    sel.TreeView1DblClick(3);   // CodigoLocal still empty
    sel.TreeView1DblClick(kMicroregionsGroupPosition);
    sel.TreeView1DblClick(19);  // CodigoLocal is 101 now
    EXPECT_TRUE(sel.CodigoLocal() == "101");
    EXPECT_EQ(sel.chosen().codes(), (std::vector<std::string>{"987654321", "12345678"}));
}

TEST_F(Selection, RemovingAndClearing)
{
    expectRefusal([&] { sel.cbSelecaoDblClick(); }, "Selecione pelo menos um item");
    sel.TreeView1DblClick(positionOf("Norte"));
    sel.TreeView1DblClick(positionOf("Sul"));
    sel.TreeView1DblClick(0);
    sel.chosen().select(1);
    sel.cbSelecaoDblClick();
    EXPECT_EQ(sel.chosen().texts(), (std::vector<std::string>{"Norte", "Brasil"}));
    EXPECT_EQ(sel.chosen().codes(), (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(sel.chosen().selected(), -1);
    expectRefusal([&] { sel.cbSelecaoDblClick(); }, "Selecione pelo menos um item");
    EXPECT_EQ(effects.captions, 0);

    sel.chosen().migration.codes = {"1"};
    const int touched = effects.touched;
    sel.lblLimparClick();
    EXPECT_TRUE(sel.chosen().empty());
    EXPECT_TRUE(sel.chosen().codes().empty());
    EXPECT_TRUE(sel.chosen().migration.codes.empty());
    EXPECT_EQ(effects.touched, touched + 1);

    sel.cbSelecaoClick();
    EXPECT_EQ(effects.touched, touched + 2);
}

class Migration : public Selection {
protected:
    void SetUp() override { effects.indicator = kMigrationIndicator; }
    void add(const std::string& text)
    {
        const int p = migrationPositionOf(text);
        sel.TreeView2Click(p);
        sel.TreeView2DblClick(p);
    }
};

TEST_F(Migration, OriginThenDestinations)
{
    const std::string groupRefusal = "As informações para, só podem ser de Unidades da Federação ou Região - escolha a "
                                     "região ou escolha uma ou mais UF´s";
    expectRefusal([&] { add("Regiões"); }, groupRefusal);
    expectRefusal([&] { add("Unidade da Federação"); }, groupRefusal);
    EXPECT_TRUE(sel.chosen().empty());

    add("Bahia");
    EXPECT_EQ(sel.CodigoLocal(), "29");
    EXPECT_EQ(effects.last().valor, "BAHIA");
    add("Norte");
    expectRefusal([&] { add("Norte"); }, "Esta localidade já foi escolhida");
    expectRefusal([&] { add("Bahia"); }, "Esta localidade já foi escolhida");
    expectRefusal([&] { add("Regiões"); }, groupRefusal);
    EXPECT_EQ(sel.chosen().texts(), (std::vector<std::string>{"Bahia para", "Norte"}));
    EXPECT_EQ(sel.chosen().codes(), (std::vector<std::string>{"29", "1"}));
}

TEST_F(Migration, ExpandingUsesTheSelectedNode)
{
    sel.TreeView2Expanded(migrationPositionOf("Bahia"));
    EXPECT_EQ(effects.last().valor, "BAHIA");
    EXPECT_EQ(effects.last().camada, "Estados");
    EXPECT_EQ(sel.CodigoLocal(), "29");
    sel.TreeView2Click(migrationPositionOf("Regiões"));
    EXPECT_EQ(effects.last().valor, "Todos");
    EXPECT_EQ(effects.last().camada, "Estados");
    EXPECT_EQ(sel.CodigoLocal(), "101");
}

TEST_F(Migration, RemovingTheOriginMakesTheNextOneTheOrigin)
{
    add("Acre");
    add("Norte");
    add("Sul");
    sel.chosen().select(0);
    sel.cbSelecaoDblClick();
    EXPECT_EQ(sel.chosen().texts(), (std::vector<std::string>{"Norte para", "Sul"}));
    sel.chosen().select(1);
    sel.cbSelecaoDblClick();
    EXPECT_EQ(sel.chosen().texts(), std::vector<std::string>{"Norte para"});
    EXPECT_EQ(effects.captions, 0);
    sel.chosen().select(0);
    sel.cbSelecaoDblClick();
    EXPECT_TRUE(sel.chosen().empty());
    EXPECT_EQ(effects.captions, 1);
}

TEST(HighlightForCode, OnlyKnownCodesHighlight)
{
    EXPECT_EQ(highlightForCode(0).valor, "Brasil");
    EXPECT_EQ(highlightForCode(4).valor, "SUDESTE");
    EXPECT_EQ(highlightForCode(4).cor, 0xA86D91u);
    EXPECT_EQ(highlightForCode(53).valor, "DISTRITO FEDERAL");
    EXPECT_EQ(highlightForCode(53).cor, 0xA45F16u);
    EXPECT_EQ(highlightForCode(6).call, Highlight::Call::None);
    EXPECT_EQ(highlightForCode(12001).call, Highlight::Call::None);
}

} // namespace
} // namespace daxo::localities
