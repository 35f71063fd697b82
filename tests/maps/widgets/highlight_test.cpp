// The highlight map of a single municipality, region or microregion: the
// chosen features yellow, the others white, the value in the legend.
#include "map_window_fixture.h"

#include "maps/highlight.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QTest>

using namespace daxo::maps;
using namespace daxo::maps::test;

namespace {

class Highlight : public MapWindowTest {
protected:
    // The key texts of the yellow features; every other feature is white.
    std::vector<std::string> amarelos(const std::string& campo)
    {
        const auto cores = coresDesenhadas();
        std::vector<std::string> out;
        std::size_t i = 0;
        for (auto r = janela->mapamostra().Layers().item(0).records(); !r.eof(); r.moveNext(), ++i) {
            EXPECT_TRUE(cores.at(i) == kCorDestaque || cores.at(i) == kCorFundo) << cores.at(i);
            if (cores.at(i) == kCorDestaque)
                out.push_back(r.text(campo));
        }
        return out;
    }
    double valorDe(const std::string& campo, const std::string& chave, const std::string& coluna = "v01")
    {
        for (auto r = janela->mapamostra().Layers().item(0).records(); !r.eof(); r.moveNext())
            if (r.text(campo) == chave)
                return r.value(coluna).asFloat();
        ADD_FAILURE() << chave;
        return -1;
    }
};

TEST_F(Highlight, AMunicipalityIsYellowOnItsStateWithItsValue)
{
    auto& w = abre(0, "Acrelândia", "120010");
    EXPECT_EQ(w.ArquivoCamadaAtual(), "tempmapa.dbf");
    EXPECT_EQ(amarelos("NAME1_"), std::vector<std::string>{"Acrelândia"});
    EXPECT_TRUE(visivel("Panel90"));
    EXPECT_EQ(texto("Label90I"), QString::fromStdString(formataValor(0, valorDe("NAME1_", "Acrelândia"))));
    EXPECT_FALSE(visivel("Panel91"));
    EXPECT_FALSE(visivel("btCor"));
    EXPECT_FALSE(visivel("chkMostraLinhas"));
    EXPECT_FALSE(visivel("rdVisao")) << "a municipality has no other view";
    EXPECT_TRUE(visivel("PnValorIndicadorUnico"));
    // With no view group shown, the mouse still identifies on the layer shown.
    for (int x = 0; x < 590; x += 10)
        w.mapamostra().onMouseMove(x, 300);
    EXPECT_FALSE(texto("lblMunicipio").isEmpty());
    EXPECT_TRUE(erros.empty()) << erros.front();
}

TEST_F(Highlight, AMunicipalityMissingIn1991SaysSoInFull)
{
    censo = "1991";
    semValor = {"Acrelândia"};
    abre(0, "Acrelândia", "120010");
    QLabel* aviso = rotulo("Label90F");
    ASSERT_TRUE(visivel("Label90F"));
    EXPECT_EQ(aviso->text(), QString::fromStdString(kMunicipioInexistente));
    EXPECT_FALSE(visivel("Panel90"));
    expectFits(aviso);
    EXPECT_TRUE(erros.empty()) << erros.front();
}

TEST_F(Highlight, ARegionIsYellowAmongTheRegions)
{
    auto& w = abre(0, "Nordeste", "2");
    EXPECT_EQ(w.ArquivoCamadaAtual(), "brmapa.dbf");
    EXPECT_EQ(amarelos("NAME2_"), std::vector<std::string>{"NORDESTE"});
    EXPECT_EQ(texto("Label90I"), QString::fromStdString(formataValor(0, valorDe("NAME2_", "NORDESTE"))));

    // By state, every state of the region is yellow.
    w.findChild<QGroupBox*>("rdVisao2")->findChildren<QRadioButton*>()[1]->click();
    EXPECT_EQ(w.ArquivoCamadaAtual(), "tempmapa.dbf");
    const auto estados = amarelos("REGDESC");
    EXPECT_FALSE(estados.empty());
    for (const auto& e : estados)
        EXPECT_EQ(e, "NORDESTE");
    EXPECT_TRUE(erros.empty()) << erros.front();
}

// The region stays painted by state and by municipality, and so does its
// value, of the column chosen.
TEST_F(Highlight, ARegionKeepsItsValueInEveryView)
{
    auto& w = abre(0, "Nordeste", "2");
    std::vector<double> doNordeste;
    for (const std::string coluna : {"v01", "v02"})
        doNordeste.push_back(valorDe("NAME2_", "NORDESTE", coluna));
    ASSERT_NE(doNordeste[0], doNordeste[1]);
    const auto visoes = w.findChild<QGroupBox*>("rdVisao2")->findChildren<QRadioButton*>();
    const auto indicadores = w.findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>();
    // On the round mark: a button may be wider than its text.
    const auto clica = [](QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); };
    for (int item : {1, 2}) {
        clica(visoes[item]);
        ASSERT_NE(w.ArquivoCamadaAtual(), "brmapa.dbf");
        EXPECT_FALSE(amarelos("REGDESC").empty());
        EXPECT_TRUE(visivel("Panel90") && visivel("Label90I")) << visoes[item]->text().toStdString();
        EXPECT_EQ(texto("Label90I"), QString::fromStdString(formataValor(0, doNordeste[0])));
        clica(indicadores[1]);
        EXPECT_EQ(texto("Label90I"), QString::fromStdString(formataValor(0, doNordeste[1])));
        clica(indicadores[0]);
    }
    EXPECT_TRUE(erros.empty()) << erros.front();
}

TEST_F(Highlight, AMicroregionByMunicipalityYellowsItsMunicipalitiesWithoutValue)
{
    auto& w = abre(0, "Rio Branco", "12004");
    EXPECT_EQ(w.ArquivoCamadaAtual(), "tempmapam.dbf");
    EXPECT_TRUE(visivel("rdVisao"));
    EXPECT_EQ(amarelos("NOME"), std::vector<std::string>{"RIO BRANCO"});
    EXPECT_TRUE(visivel("Label90I"));

    w.findChild<QGroupBox*>("rdVisao")->findChildren<QRadioButton*>()[1]->click();
    EXPECT_EQ(w.ArquivoCamadaAtual(), "tempmapa.dbf");
    const auto micro = amarelos("MICRO");
    EXPECT_GT(micro.size(), 1u);
    for (const auto& m : micro)
        EXPECT_EQ(m, "120004");
    EXPECT_FALSE(visivel("Label90I")) << "the microregion's value is not shown for its municipalities";
    EXPECT_TRUE(erros.empty()) << erros.front();
}

} // namespace
