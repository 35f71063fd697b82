// The data side of the chart output: refusals, series built from the work
// table, which indicators get the percentage window, the window header.
#include "charts/chart_data.h"
#include "query/text_utils.h"

#include <gtest/gtest.h>

#include <array>

using namespace daxo::charts;
using daxo::platform::Value;
using daxo::reports::WorkTable;

namespace {

// Labels as the indicator rows give them; "Extra" has no row.
const std::array<std::string, 11> kCampos = {"Mas", "Fem", "Total"};
const std::array<std::string, 11> kRotulos = {"Homens", "Mulheres", "Total"};

void buscaRotulo(const std::string& column, std::string& label)
{
    daxo::query::BuscaRotulo(kCampos, kRotulos, column, label);
}

} // namespace

TEST(ChartRefusals, WholeLevelEntriesAreRefusedWithTheirMessages)
{
    const std::string niveis = kRecusaNiveis;
    const std::string municipios = kRecusaMunicipios;
    EXPECT_EQ(recusaLocalidades({"Regiões"}, {"0"}), niveis);
    EXPECT_EQ(recusaLocalidades({"Acre", "Todas as UFs"}, {"12", "12345678"}), niveis);
    EXPECT_EQ(recusaLocalidades({"Todas as regiões"}, {"987654321"}), niveis);
    EXPECT_EQ(recusaLocalidades({"Sergipe", "Todos os municípios"}, {"28", "999999"}), municipios);
    // The first entry that cannot be charted decides the message.
    EXPECT_EQ(recusaLocalidades({"Todos os municípios", "Regiões"}, {"999999", "1"}), municipios);
    EXPECT_EQ(recusaLocalidades({"Regiões", "Todos os municípios"}, {"1", "999999"}), niveis);

    EXPECT_EQ(recusaLocalidades({}, {}), std::nullopt);
    EXPECT_EQ(recusaLocalidades({"Brasil", "Nordeste", "Sergipe", "Aracaju"}, {"0", "2", "28", "280030"}), std::nullopt);
    EXPECT_EQ(niveis, "As localidades Regiões, Unidades da Federação e Municípios, são permitidas somente para mapas e tabelas");
    EXPECT_EQ(municipios, "A localidade município é permitida somente para mapas e tabelas");
}

TEST(ChartSeriesFromWorkTable, FiveValueColumnsTakePaletteEntriesTwoToSixAndCycleTheArrows)
{
    WorkTable table{{"Censo", "Localidade", "Codigo", "Mas", "Fem", "Total", "Extra", "Outra"},
                    {{"2000", "SE Sergipe-2000", "28", 1.5, 2.0, 3.5, 4.0, 5.0},
                     {"2000", "AC Acre-2000", "12", 10.0, Value(), 0.0, -2.0, 7.0}}};
    const auto series = montaSeries(table, buscaRotulo);
    ASSERT_EQ(series.size(), 5u);
    const std::vector<Rgb> colours = {{45, 145, 115}, {171, 163, 65}, {193, 163, 209}, {84, 0, 139}, {247, 134, 134}};
    const std::vector<int> arrows = {10, 23, 36, 49, 10};
    const std::vector<std::string> names = {"Mas", "Fem", "Total", "Extra", "Outra"};
    for (std::size_t i = 0; i < series.size(); ++i) {
        EXPECT_EQ(series[i].name, names[i]);
        EXPECT_EQ(series[i].colour, colours[i]) << i;
        EXPECT_EQ(series[i].arrowLength, arrows[i]) << i;
        EXPECT_EQ(series[i].labels, (std::vector<std::string>{"SE Sergipe-2000", "AC Acre-2000"}));
    }
    // Columns no row names keep the title of the series before them.
    EXPECT_EQ(series[0].title, "Homens");
    EXPECT_EQ(series[2].title, "Total");
    EXPECT_EQ(series[3].title, "Total");
    EXPECT_EQ(series[4].title, "Total");
    // One value per row; an empty cell stays empty, 0 and negatives are values.
    EXPECT_EQ(series[0].values, (std::vector<std::optional<double>>{1.5, 10.0}));
    EXPECT_EQ(series[1].values, (std::vector<std::optional<double>>{2.0, std::nullopt}));
    EXPECT_EQ(series[2].values[1], 0.0);
    EXPECT_EQ(series[3].values[1], -2.0);
}

TEST(ChartSeriesFromWorkTable, AgeLayoutStartsAtEntryThreeWithGroupedLabels)
{
    WorkTable table{{"Censo", "Localidade", "Idade", "Codigo", "Extra", "Fem"},
                    {{"1991", "Acre\r1991\r0 a 3", "de 0 a 3 anos ", "12", 1.0, 2.0},
                     {"1991", "Acre\r1991\r4 a 6", "de 4 a 6 anos ", "12", 3.0, 4.0}}};
    const auto series = montaSeries(table, buscaRotulo);
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(series[0].colour, (Rgb{171, 163, 65}));
    EXPECT_EQ(series[1].colour, (Rgb{193, 163, 209}));
    // The first series has no title before it to keep.
    EXPECT_EQ(series[0].title, "");
    EXPECT_EQ(series[1].title, "Mulheres");
    EXPECT_EQ(series[1].labels, (std::vector<std::string>{"Acre\r1991\r0 a 3", "Acre\r1991\r4 a 6"}));
    EXPECT_EQ(series[1].values, (std::vector<std::optional<double>>{2.0, 4.0}));
}

TEST(ChartSeriesFromWorkTable, ColumnsPastThePaletteStartItOverAndNoValueColumnGivesNoSeries)
{
    WorkTable wide{{"Censo", "Localidade", "Codigo"}, {}};
    for (int i = 0; i < 11; ++i)
        wide.columns.push_back("C" + std::to_string(i));
    const auto series = montaSeries(wide, buscaRotulo);
    ASSERT_EQ(series.size(), 11u);
    EXPECT_EQ(series[8].colour, PaletaGrafico[10]);
    EXPECT_EQ(series[9].colour, PaletaGrafico[0]);
    EXPECT_TRUE(series[0].values.empty());

    EXPECT_TRUE(montaSeries(WorkTable{{"Censo", "Localidade", "Codigo"}, {{"2000", "Acre", "12"}}}, buscaRotulo).empty());
}

TEST(ChartPercentageWindow, OnlyTheFiveCountIndicatorsWithNationalTotals)
{
    for (int indicator = 0; indicator <= 14; ++indicator) {
        const bool expected = indicator == 0 || indicator == 2 || indicator == 3 || indicator == 9 || indicator == 13;
        EXPECT_EQ(temGraficoPercentual(indicator), expected) << indicator;
    }
}

TEST(ChartHeader, CensusPrefixAndMigrationSecondLine)
{
    EXPECT_EQ(cabecalhoGrafico("2000", "População de homens", 0, {"Sergipe"}),
              "Filtro:Censo 2000 - População de homens");
    EXPECT_EQ(cabecalhoGrafico("1991 e 2000", "População", 0, {}), "Filtro:Censos 1991 e 2000 - População");
    EXPECT_EQ(cabecalhoGrafico("1991", "Migração", kIndicadorMigracao, {"Acre", "Sergipe"}),
              "Filtro:Censo 1991 - Migração\rAcre");
    EXPECT_EQ(cabecalhoGrafico("1991", "Migração", kIndicadorMigracao, {}), "Filtro:Censo 1991 - Migração");
}
