#pragma once
// Series shaped like a chart output's, for the tests and the pictures.
#include "charts/chart_series.h"

#include <string>
#include <vector>

namespace daxo::charts::samples {

inline const std::vector<Rgb> kPalette = {{204, 255, 255}, {41, 84, 117},  {45, 145, 115}, {171, 163, 65},
                                          {193, 163, 209}, {84, 0, 139},   {247, 134, 134}, {128, 0, 0},
                                          {110, 104, 104}, {204, 255, 204}, {255, 102, 0}};

// `seriesCount` series over the first `localities` of `names`, palette from
// entry 2 on, arrow lengths cycling 10, 23, 36, 49.
inline std::vector<ChartSeries> sampleSeries(int seriesCount, const std::vector<std::string>& names)
{
    std::vector<ChartSeries> series;
    for (int s = 0; s < seriesCount; ++s) {
        ChartSeries one;
        one.name = "V" + std::to_string(s);
        one.title = "Série " + std::to_string(s + 1);
        one.colour = kPalette[(s + 2) % kPalette.size()];
        one.arrowLength = 10 + 13 * (s % 4);
        for (std::size_t l = 0; l < names.size(); ++l) {
            one.labels.push_back(names[l]);
            one.values.push_back(1000.0 * (1 + (l * 7 + s * 3) % 11) + 123.5 * s);
        }
        series.push_back(one);
    }
    return series;
}

inline const std::vector<std::string> kStates = {
    "Rondônia", "Acre", "Amazonas", "Roraima", "Pará", "Amapá", "Tocantins", "Maranhão", "Piauí",
    "Ceará", "Rio Grande do Norte", "Paraíba", "Pernambuco", "Alagoas", "Sergipe", "Bahia",
    "Minas Gerais", "Espírito Santo", "Rio de Janeiro", "São Paulo", "Paraná", "Santa Catarina",
    "Rio Grande do Sul", "Mato Grosso do Sul", "Mato Grosso", "Goiás", "Distrito Federal"};

} // namespace daxo::charts::samples
