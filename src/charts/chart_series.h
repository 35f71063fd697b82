#pragma once
// One bar series of a chart window: a value column of the work table, with
// one bar per work-table row.
#include <optional>
#include <string>
#include <vector>

namespace daxo::charts {

struct Rgb {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct ChartSeries {
    std::string name;                          // the column name
    std::string title;                         // legend and series-list text
    Rgb colour;
    std::vector<std::string> labels;           // the rows' Localidade; may hold CR line breaks
    std::vector<std::optional<double>> values; // a null cell draws no bar
    int arrowLength = 10;                      // distance of the value mark above the bar
};

// The absolute window (TfrmGraphPopMasc) and the percentage one (TfrmGrafPerc).
enum class ChartKind { Absolute, Percentage };

} // namespace daxo::charts
