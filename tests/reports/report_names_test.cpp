#include "reports/national_totals.h"
#include "reports/report_names.h"

#include <gtest/gtest.h>

using namespace daxo::reports;

TEST(ReportNames, FileNamesDropOnlyTheListedCharacters)
{
    EXPECT_EQ(LimpaNomeArquivo("Rendimento médio / mediano"), "Rendimento médio  mediano");
    EXPECT_EQ(LimpaNomeArquivo("Taxa de freqüência à escola"), "Taxa de freqüência à escola");
    EXPECT_EQ(LimpaNomeArquivo("a-b/c\\d]e[f{g}h*i&j\"k~l´m`n;o:p?q%r$s#t@u!v+w=x (y),z."), "abcdefg}hijklmnopqrstuvwx (y),z.");
}

TEST(ReportNames, LocalityKeepsItsHyphens)
{
    EXPECT_EQ(TiraCenso("RO Ji-Paraná-2000"), "RO Ji-Paraná");
    EXPECT_EQ(TiraCenso(" Centro-Oeste-1991"), " Centro-Oeste");
    EXPECT_EQ(TiraCenso("BA Ilhéus-Itabuna-2000"), "BA Ilhéus-Itabuna");
    EXPECT_EQ(TiraCenso("BA Bahia-2000"), "BA Bahia");
    EXPECT_EQ(TiraCenso("Sem censo"), "Sem censo");
}

TEST(NationalTotals, ChoicesSelectTheirTotalAndOthersKeepThePrevious)
{
    TotalBrasil total;
    EXPECT_EQ(total.CalculaTotalBrasil("2000", {.indicator = 0}), 169872856);
    EXPECT_EQ(total.CalculaTotalBrasil("1991", {.indicator = 0}), 146815777);
    EXPECT_EQ(total.CalculaTotalBrasil("2000", {.indicator = 2, .aguaCanalizada = true, .tipoAgua = 2}), 34914319);
    EXPECT_EQ(total.CalculaTotalBrasil("2000", {.indicator = 2, .esgotamento = 2}), 6706427);
    EXPECT_EQ(total.CalculaTotalBrasil("1991", {.indicator = 2, .lixoColetado = 2}), 12547749);
    // The water combo counts only with its radio button ticked.
    EXPECT_EQ(total.CalculaTotalBrasil("2000", {.indicator = 2, .tipoAgua = 2}), 44776740);
    EXPECT_EQ(total.CalculaTotalBrasil("2000", {.indicator = 3, .criancas = true, .rendimento = 1}), 10903674);
    EXPECT_EQ(total.CalculaTotalBrasil("1991", {.indicator = 11, .contribui = true, .posicao = 2}), 7272773);
    EXPECT_EQ(total.CalculaTotalBrasil("2000", {.indicator = 13, .deficiencia = 15}), 2288351);
    EXPECT_EQ(total.CalculaTotalBrasil("1991", {.indicator = 13, .deficiencia = 8}), 144616736);
    EXPECT_EQ(total.CalculaTotalBrasil("1991", {.indicator = 13, .deficiencia = -1}), 144616736);
    EXPECT_EQ(total.CalculaTotalBrasil("2000", {.indicator = 6}), 144616736);
}
