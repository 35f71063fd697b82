#include "maps/layer_choice.h"

#include <gtest/gtest.h>

using namespace daxo::maps;

namespace {

MapChoice oneState() { return {.indicator = 0, .census = "2000", .names = {"Acre"}, .codes = {"12"}, .QtdFaixas = 1}; }

} // namespace

TEST(MapRefusals, EachInItsOrder)
{
    EXPECT_EQ(recusaMapa(oneState()), std::nullopt);

    MapChoice c = oneState();
    c.names.clear();
    c.codes.clear();
    c.indicator = 14;
    EXPECT_EQ(recusaMapa(c), "Escolha uma Localidade");

    // Migration is refused before the census and the locality count.
    c = oneState();
    c.indicator = 14;
    c.census = "1991 e 2000";
    c.names.push_back("Sergipe");
    c.codes.push_back("28");
    EXPECT_EQ(recusaMapa(c), "Não é possível a visualização das informações de migração no formato de mapa");

    c = oneState();
    c.names = {"Acre Urbano", "Sergipe"};
    c.codes = {"12888", "28"};
    EXPECT_EQ(recusaMapa(c), "Saída em mapa não é permitida para as localidades urbanas e rurais");
    c.names = {"Brasil Rural"};
    c.codes = {"999"};
    EXPECT_EQ(recusaMapa(c), "Saída em mapa não é permitida para as localidades urbanas e rurais");

    c = oneState();
    c.names.push_back("Sergipe");
    c.codes.push_back("28");
    c.census = "1991 e 2000";
    EXPECT_EQ(recusaMapa(c),
              "A saída do MAPA é permitida apenas para uma localidade por vez. Escolha somente uma localidade.");

    c = oneState();
    c.census = "1991 e 2000";
    c.QtdFaixas = 3;
    c.indicator = 4;
    EXPECT_EQ(recusaMapa(c), "Escolha somente um censo - 1991 ou 2000");
}

TEST(MapRefusals, SeveralAgeRangesOnlyForIndicatorsThatAddThem)
{
    MapChoice c = oneState();
    c.QtdFaixas = 2;
    for (int indicator : {0, 9, 11}) {
        c.indicator = indicator;
        EXPECT_EQ(recusaMapa(c), std::nullopt) << indicator;
    }
    for (int indicator : {1, 2, 3, 13}) {
        c.indicator = indicator;
        EXPECT_EQ(recusaMapa(c), "Escolha somente uma faixa etária") << indicator;
    }
}

TEST(LayerNames, LimpatextoDropsLinkWordsSpacesAndAccents)
{
    const std::pair<const char*, const char*> examples[] = {
        {"Rio de Janeiro", "RioJaneiro"},     {"Mato Grosso do Sul", "MatoGrossoSul"},
        {"São Paulo", "SaoPaulo"},            {"Espírito Santo", "EspiritoSanto"},
        {"Rio Grande do Norte", "RioGrandeNorte"}, {"Goiás", "Goias"},
        {"Ceará", "Ceara"},                   {"Rondônia", "Rondonia"},
        {"Distrito Federal", "DistritoFederal"}, {"Acre", "Acre"},
        {"", ""},                             {"Rio Grande Do Sul", "RioGrandeDoSul"},   // case-sensitive
    };
    for (const auto& [texto, expected] : examples)
        EXPECT_EQ(limpatexto(texto), expected) << texto;
}

TEST(LayerChoice, NationalChoicesUseTheThreeNationalLayers)
{
    const auto noName = [](const std::string&) -> std::string {
        ADD_FAILURE() << "no state name needed";
        return {};
    };
    auto brasil = escolheCamada("Brasil", "0", noName);
    EXPECT_EQ(brasil.state.NomeCamada, "Brasil");
    EXPECT_TRUE(brasil.state.MapaNacional);
    EXPECT_FALSE(brasil.state.NivelRegiao);
    EXPECT_EQ(brasil.state.NomeCamadaMicro, "");

    for (const auto& [sel, code] : {std::pair{"Sul", "4"}, {"Centro-Oeste", "5"}, {"Regiões", "987654321"}}) {
        const auto region = escolheCamada(sel, code, noName);
        EXPECT_EQ(region.state.NomeCamada, "REGIOES") << sel;
        EXPECT_TRUE(region.state.NivelRegiao && region.state.MapaNacional) << sel;
        EXPECT_EQ(region.runCode, code);
    }
    for (const auto& [sel, code] : {std::pair{"Unidade da Federação", "12345678"}, {"Municípios", "999999"}}) {
        const auto all = escolheCamada(sel, code, noName);
        EXPECT_EQ(all.state.NomeCamada, "ESTADOS") << sel;
        EXPECT_TRUE(all.state.MapaNacional);
        EXPECT_FALSE(all.state.NivelRegiao || all.state.NivelMicro || all.state.NivelMunicipio);
        EXPECT_EQ(all.state.NomeCamadaMicro, "");
    }
}

TEST(LayerChoice, StateMicroregionAndMunicipalityUseTheStateLayers)
{
    std::vector<std::string> asked;
    const auto pegaNome = [&asked](const std::string& code) {
        asked.push_back(code);
        return std::string("Mato Grosso do Sul");
    };
    const auto state = escolheCamada("Rio de Janeiro", "33", pegaNome);
    EXPECT_EQ(state.state.NomeCamada, "ind_RioJaneiro");
    EXPECT_EQ(state.state.NomeCamadaMicro, "33MI2500G");
    EXPECT_FALSE(state.state.MapaNacional || state.state.NivelMicro || state.state.NivelMunicipio);
    EXPECT_EQ(state.runCode, "33");
    EXPECT_TRUE(asked.empty());

    const auto micro = escolheCamada("Campo Grande", "50004", pegaNome);
    EXPECT_EQ(micro.state.NomeCamada, "ind_MatoGrossoSul");
    EXPECT_EQ(micro.state.NomeCamadaMicro, "50MI2500G");
    EXPECT_TRUE(micro.state.NivelMicro);
    EXPECT_FALSE(micro.state.NivelMunicipio || micro.state.MapaNacional);
    EXPECT_EQ(micro.runCode, "50");

    const auto municipality = escolheCamada("Dourados", "500370", pegaNome);
    EXPECT_EQ(municipality.state.NomeCamada, "ind_MatoGrossoSul");
    EXPECT_EQ(municipality.state.NomeCamadaMicro, "50MI2500G");
    EXPECT_TRUE(municipality.state.NivelMunicipio);
    EXPECT_FALSE(municipality.state.NivelMicro);
    EXPECT_EQ(municipality.runCode, "50");
    EXPECT_EQ(asked, (std::vector<std::string>{"50004", "500370"}));
}
