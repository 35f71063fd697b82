#include "chart_data.h"

#include <algorithm>

namespace daxo::charts {

namespace {

bool isWholeLevel(const std::string& code) { return code == "12345678" || code == "987654321"; }

} // namespace

std::optional<std::string> recusaLocalidades(const std::vector<std::string>& names,
                                             const std::vector<std::string>& codes)
{
    const std::size_t n = std::max(names.size(), codes.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::string code = i < codes.size() ? codes[i] : "";
        const std::string name = i < names.size() ? names[i] : "";
        if (isWholeLevel(code) || name == "Regiões")
            return kRecusaNiveis;
        if (code == "999999")
            return kRecusaMunicipios;
    }
    return std::nullopt;
}

std::vector<ChartSeries> montaSeries(const reports::WorkTable& table, const BuscaRotuloFn& buscaRotulo)
{
    std::vector<ChartSeries> series;
    int localidade = -1;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        if (table.columns[c] == "Localidade")
            localidade = static_cast<int>(c);

    // A column no indicator row names keeps the title of the series before it.
    std::string title;
    for (std::size_t c = table.firstValueColumn(); c < table.columns.size(); ++c) {
        if (buscaRotulo)
            buscaRotulo(table.columns[c], title);
        ChartSeries s;
        s.name = table.columns[c];
        s.title = title;
        // Past the palette's end the colours start over.
        s.colour = PaletaGrafico[(c - 1) % PaletaGrafico.size()];
        s.arrowLength = kComprimentosSeta[series.size() % kComprimentosSeta.size()];
        for (const auto& row : table.rows) {
            s.labels.push_back(localidade >= 0 ? row[localidade].asString() : "");
            s.values.push_back(row[c].number());
        }
        series.push_back(std::move(s));
    }
    return series;
}

bool temGraficoPercentual(int indicator)
{
    constexpr std::array<int, 5> comPercentual = {0, 2, 3, 9, 13};
    return std::find(comPercentual.begin(), comPercentual.end(), indicator) != comPercentual.end();
}

std::string cabecalhoGrafico(const std::string& census, const std::string& caption, int indicator,
                             const std::vector<std::string>& names)
{
    std::string header = (census == "1991 e 2000" ? "Filtro:Censos " : "Filtro:Censo ") + census + " - " + caption;
    if (indicator == kIndicadorMigracao && !names.empty())
        header += "\r" + names.front();
    return header;
}

} // namespace daxo::charts
