#include "maps/highlight.h"
#include "maps/layer_statistics.h"
#include "maps/map_classes.h"

#include <gtest/gtest.h>

using namespace daxo::maps;

namespace {

constexpr int kPopulacao = 0;   // a count indicator
constexpr int kTaxa = 1;        // a rate indicator

std::vector<double> oneToTen() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}; }

} // namespace

TEST(ClassBreaks, QuantilesOfKnownDataAndTheirLegend)
{
    const Estatisticas stats{.minimo = 1, .maximo = 10, .quantidade = 10};
    const auto q = calculaQuebras(oneToTen(), stats, 5, 1);
    EXPECT_EQ(q.classes, 5);
    EXPECT_FALSE(q.aviso);
    EXPECT_EQ(q.quebrasRenderer(), 4);
    EXPECT_EQ(std::vector<double>(q.brk.begin() + 1, q.brk.begin() + 5), (std::vector<double>{2, 4, 6, 8}));

    const auto legenda = montaLegenda(q, stats, kPopulacao, 1, 5);
    EXPECT_EQ(legenda.quebrasRenderer, (std::vector<double>{3, 5, 7, 9}));
    const std::vector<std::pair<std::string, std::string>> rows = {
        {" 1", " 2"}, {" 3", " 4"}, {" 5", " 6"}, {" 7", " 8"}, {" 9", " 10"}};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_TRUE(legenda.linhas[k].visivel && legenda.linhas[k].ate) << k;
        EXPECT_EQ(legenda.linhas[k].inicio, rows[k].first) << k;
        EXPECT_EQ(legenda.linhas[k].fim, rows[k].second) << k;
    }
    for (std::size_t k = rows.size(); k < legenda.linhas.size(); ++k)
        EXPECT_FALSE(legenda.linhas[k].visivel) << k;
    EXPECT_EQ(legenda.coresRenderer,
              (std::vector<std::uint32_t>{0xC8E8F1, 0x20B6C4, 0x00A2C1, 0x006796, 0x003A5A}));
    EXPECT_EQ(legenda.linhas[4].cor, 0x003A5Au);
}

TEST(ClassBreaks, MoreClassesThanLocalitiesAreReducedWithTheNotice)
{
    const Estatisticas stats{.minimo = 10, .maximo = 70, .quantidade = 7};
    const auto q = calculaQuebras({10, 20, 30, 40, 50, 60, 70}, stats, 9, 1);
    EXPECT_EQ(q.classes, 7);
    EXPECT_EQ(q.aviso, "Numero de quebras não pode ser maior que o número de localidades");
    EXPECT_TRUE(q.reduzidasAoTotal);
    const auto legenda = montaLegenda(q, stats, kPopulacao, 2, 9);
    // Seven classes in the first seven colours of the nine-colour list.
    EXPECT_EQ(legenda.coresRenderer, (std::vector<std::uint32_t>{0xFEF6A8, 0xFFF372, 0xFFE11D, 0xC8CA2E, 0x88A53D,
                                                                 0x508F41, 0x3C783B}));
    EXPECT_EQ(legenda.linhas[6].fim, " 70");
    EXPECT_FALSE(legenda.linhas[7].visivel);
}

TEST(ClassBreaks, EqualSuccessiveBreaksMoveUpByTheUnit)
{
    const std::vector<double> values = {1.5, 1.5, 1.5, 1.5, 2, 3};
    const Estatisticas stats{.minimo = 1.5, .maximo = 3, .quantidade = 6};
    const auto rate = calculaQuebras(values, stats, 3, unidadeClasse(kTaxa));
    EXPECT_DOUBLE_EQ(rate.brk[1], 1.5);
    EXPECT_DOUBLE_EQ(rate.brk[2], 1.51);
    const auto legenda = montaLegenda(rate, stats, kTaxa, 1, 3);
    EXPECT_EQ(legenda.linhas[1].inicio, " 1,51");
    EXPECT_EQ(legenda.linhas[1].fim, " 1,51");
    EXPECT_EQ(legenda.linhas[2].inicio, " 1,52");
    EXPECT_EQ(legenda.linhas[2].fim, " 3,00");

    const auto count = calculaQuebras({4, 4, 4, 4, 9, 12}, {.minimo = 4, .maximo = 12, .quantidade = 6}, 3,
                                      unidadeClasse(kPopulacao));
    EXPECT_DOUBLE_EQ(count.brk[2], 5);
    // Three equal breaks still give increasing limits.
    const auto three = calculaQuebras({7, 7, 7, 7, 7, 7, 7, 7}, {.minimo = 7, .maximo = 7, .quantidade = 8}, 4, 1);
    EXPECT_EQ(std::vector<double>(three.brk.begin() + 1, three.brk.begin() + 4), (std::vector<double>{7, 8, 9}));
}

TEST(ClassBreaks, FirstLabelSingleClassAndNoPositiveValue)
{
    // Zeros count in the statistics but not among the positive values.
    const Estatisticas withZeros{.minimo = 0, .maximo = 10, .quantidade = 12};
    const auto q = calculaQuebras(oneToTen(), withZeros, 2, 1);
    EXPECT_EQ(montaLegenda(q, withZeros, kPopulacao, 1, 2).linhas[0].inicio, " 1");

    const auto single = calculaQuebras({2.5, 12.5}, {.minimo = 2.5, .maximo = 12.5, .quantidade = 2}, 1, 0.01);
    EXPECT_EQ(single.quebrasRenderer(), 0);
    const auto legenda = montaLegenda(single, {.minimo = 2.5, .maximo = 12.5, .quantidade = 2}, kTaxa, 3, 1);
    EXPECT_EQ(legenda.linhas[0].inicio, " 2,50");
    EXPECT_EQ(legenda.linhas[0].fim, "12,5");
    EXPECT_FALSE(legenda.linhas[0].ate);
    EXPECT_EQ(legenda.linhas[0].cor, 0x7CC9A4u);
    EXPECT_FALSE(legenda.linhas[1].visivel);

    // Three positive values among twelve features cannot fill five classes.
    const auto few = calculaQuebras({4, 8, 9}, {.minimo = 0, .maximo = 9, .quantidade = 12}, 5, 1);
    EXPECT_EQ(few.classes, 3);
    EXPECT_EQ(few.aviso, kAvisoPoucosValores);
    EXPECT_FALSE(few.reduzidasAoTotal) << "the requested count stays for the next column";
    const auto fewLegend = montaLegenda(few, {.minimo = 0, .maximo = 9, .quantidade = 12}, kPopulacao, 1, 5);
    EXPECT_EQ(fewLegend.quebrasRenderer, (std::vector<double>{5, 9}));
    EXPECT_FALSE(fewLegend.linhas[3].visivel);

    const auto none = calculaQuebras({}, {.minimo = 0, .maximo = 0, .quantidade = 3}, 3, 1);
    EXPECT_EQ(none.primeiroValor, 0) << "no invented smallest value";
    EXPECT_EQ(none.brk, (std::array<double, 10>{}));
}

TEST(Palettes, FiveColoursOnlyForFiveClassesAndCorCycles)
{
    EXPECT_EQ(coresClasses(4, 5).size(), 5u);
    for (int n : {2, 4, 6, 9}) {
        EXPECT_EQ(coresClasses(4, n).size(), 9u) << n;
        EXPECT_EQ(coresClasses(4, n)[1], 0xF3869Bu) << n;
    }
    EXPECT_EQ(coresClasses(6, 5)[4], 0x5C1949u);
    int paleta = 1;
    std::vector<int> seen;
    for (int press = 0; press < 6; ++press)
        seen.push_back(paleta = proximaPaleta(paleta));
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 6, 1}));
}

TEST(Legend, IndicatorKindsAndTypedLimits)
{
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(IndicadorContagem(i), i == 0 || i == 2 || i == 3 || i == 9 || i == 11 || i == 13) << i;
    EXPECT_EQ(formataValor(kPopulacao, 1234567), "1.234.567");
    EXPECT_EQ(formataValor(kTaxa, 0.5), "0,50");

    EXPECT_DOUBLE_EQ(valorDigitado("1.234"), 1234);
    EXPECT_DOUBLE_EQ(valorDigitado("12,50"), 12.5);
    EXPECT_DOUBLE_EQ(valorDigitado(" 12,5"), 12.5);
    EXPECT_THROW(valorDigitado("doze"), std::runtime_error);
    EXPECT_THROW(valorDigitado(""), std::runtime_error);
    for (const char* odd : {"nan", "inf", "1e3", "0x10", "-", "1,2,3"})
        EXPECT_THROW(valorDigitado(odd), std::runtime_error) << odd;

    Quebras q = calculaQuebras(oneToTen(), {.minimo = 1, .maximo = 10, .quantidade = 10}, 3, 1);
    std::array<std::optional<std::string>, 10> edits;
    edits[1] = "7";
    aplicaLimitesDigitados(q, edits);
    EXPECT_EQ(q.brk[1], 3);
    EXPECT_EQ(q.brk[2], 7);
}

TEST(Highlight, AccentsAndTheSingleValue)
{
    EXPECT_EQ(RetiraAcentos("São José do Rio Preto"), "SAO JOSE DO RIO PRETO");
    EXPECT_EQ(RetiraAcentos("Paraíba"), "PARAIBA");
    EXPECT_EQ(RetiraAcentos("Ceará"), "CEARA");
    EXPECT_EQ(RetiraAcentos("Iguaçu"), "IGUAçU");
    bool value = false;
    EXPECT_EQ(textoValorUnico(kPopulacao, 1234, value), "1.234");
    EXPECT_TRUE(value);
    EXPECT_EQ(textoValorUnico(kPopulacao, 0, value), "Município Inexistente em 1991");
    EXPECT_FALSE(value);
}

TEST(Highlight, ChoiceForEachLevel)
{
    const auto municipality = escolheDestaque({.sel = "Pingo-d'Água", .code = "315053", .NivelMunicipio = true});
    EXPECT_EQ(municipality.alvo, "Pingo-d'Água");
    EXPECT_EQ(municipality.filtro, " NAME1_ = 'Pingo-d''Água'");
    EXPECT_EQ(municipality.campoChave, "NAME1_");
    EXPECT_TRUE(municipality.mostraValor);
    EXPECT_FALSE(municipality.rdVisaoVisivel);

    const auto micro = escolheDestaque({.sel = "Rio Branco", .code = "12004", .NivelMicro = true});
    EXPECT_EQ(micro.alvo, "RIO BRANCO");
    EXPECT_EQ(micro.filtro, " NOME = 'RIO BRANCO'");
    EXPECT_EQ(micro.campoChave, "NOME");
    EXPECT_EQ(micro.campoRotulo, "NOME");
    EXPECT_TRUE(micro.mostraValor && micro.rdVisaoVisivel);

    // Seen by municipality: every municipality of the microregion, no value.
    const auto byMunicipality =
        escolheDestaque({.sel = "Rio Branco", .code = "12004", .NivelMicro = true, .rdVisao = 1});
    EXPECT_EQ(byMunicipality.alvo, "120004");
    EXPECT_EQ(byMunicipality.campoChave, "MICRO");
    EXPECT_EQ(byMunicipality.campoRotulo, "NAME1_");
    EXPECT_FALSE(byMunicipality.mostraValor);

    const auto region = escolheDestaque({.sel = "Centro-Oeste", .code = "5", .NivelRegiao = true});
    EXPECT_EQ(region.filtro, " NAME2_ = 'CENTRO-OESTE'");
    EXPECT_EQ(region.campoChave, "NAME2_");
    EXPECT_EQ(region.campoRotulo, "NAME2_");
    EXPECT_FALSE(region.rdVisaoVisivel);
    const auto byState = escolheDestaque({.sel = "Centro-Oeste", .code = "5", .NivelRegiao = true, .rdVisao2 = 1});
    EXPECT_EQ(byState.campoChave, "REGDESC");
    // Its value is the region's, read from the regions layer.
    EXPECT_EQ(byState.filtro, " NAME2_ = 'CENTRO-OESTE'");
    EXPECT_TRUE(byState.mostraValor && byState.valorDasRegioes);
    EXPECT_FALSE(region.valorDasRegioes);
}

TEST(ViewFields, OrderAndLabelFieldsOfEachView)
{
    EXPECT_EQ(camposVisao(true, 0, -1).ordem, "GEOCODIGO");
    EXPECT_EQ(camposVisao(true, 0, -1).rotulo, "NOME");
    EXPECT_EQ(camposVisao(true, 1, -1).ordem, "ID_");
    EXPECT_EQ(camposVisao(true, 1, -1).rotulo, "NAME1_");
    EXPECT_EQ(camposVisao(false, 1, 1).ordem, "NAME2_");
    EXPECT_EQ(camposVisao(false, 0, 2).rotulo, "NAME1_");
    EXPECT_EQ(camposVisao(false, 0, -1).ordem, "");
}
