#pragma once
// What a chart output shows, without windows: which locality choices it
// refuses, the bar series read from the work table, and the window header.
#include "chart_series.h"
#include "reports/html_report.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace daxo::charts {

// Series colours; the series of the work-table column with index i takes
// entry i - 1.
inline constexpr std::array<Rgb, 11> PaletaGrafico = {{
    {204, 255, 255}, {41, 84, 117}, {45, 145, 115}, {171, 163, 65}, {193, 163, 209}, {84, 0, 139},
    {247, 134, 134}, {128, 0, 0}, {110, 104, 104}, {204, 255, 204}, {255, 102, 0}}};

// Distances of the value marks above the bars, taken by the series in turn.
inline constexpr std::array<int, 4> kComprimentosSeta = {10, 23, 36, 49};

inline constexpr const char* kRecusaNiveis =
    "As localidades Regiões, Unidades da Federação e Municípios, são permitidas somente para mapas e tabelas";
inline constexpr const char* kRecusaMunicipios = "A localidade município é permitida somente para mapas e tabelas";

// The refusal text for the first chosen entry that cannot be charted (the
// whole-level entries), or nothing. `names` and `codes` are parallel.
std::optional<std::string> recusaLocalidades(const std::vector<std::string>& names,
                                             const std::vector<std::string>& codes);

// Sets the label to the display title of a value column; leaves it as it is
// when no indicator row has that column.
using BuscaRotuloFn = std::function<void(const std::string& column, std::string& label)>;

// One series per value column, in column order; one bar per work-table row.
std::vector<ChartSeries> montaSeries(const reports::WorkTable& table, const BuscaRotuloFn& buscaRotulo);

// The indicators whose chart output also shows the values as percentages of
// the national total.
bool temGraficoPercentual(int indicator);

inline constexpr int kIndicadorMigracao = 14;

// The header of both windows: the census and the query caption, and for the
// migration indicator the first chosen locality on a second line.
std::string cabecalhoGrafico(const std::string& census, const std::string& caption, int indicator,
                             const std::vector<std::string>& names);

} // namespace daxo::charts
