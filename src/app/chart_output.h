#pragma once
// The chart output button (bt_graficoClick): runs the query for the current
// choice and shows the bar-chart windows, absolute values and, for the count
// indicators with a national total, percentages of it.
#include "charts/widgets/chart_export.h"
#include "table_output.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace daxo::charts {
class ChartWindow;
}

namespace daxo::app {

// One chart output without windows, for the window and the command line
// alike: the refusals, the query run and what each chart shows.
struct ChartRun {
    OutputQuery query;
    std::function<void()> started;   // the choice was not refused; the query runs now
    std::function<void(const std::string&)> progress;
};
struct Charts {
    charts::ChartData absolute;                  // TfrmGraphPopMasc
    std::optional<charts::ChartData> percentage; // TfrmGrafPerc, for the indicators that have it
};
// Throws the refusal's message for a choice that cannot be charted.
Charts buildCharts(const ChartRun& run);

// Owns the pair of chart windows of the last chart output; the next chart
// output destroys them before anything else.
class ChartOutput {
public:
    explicit ChartOutput(TfrmPrincipal& window);
    ~ChartOutput();
    ChartOutput(const ChartOutput&) = delete;
    ChartOutput& operator=(const ChartOutput&) = delete;

    void bt_graficoClick(const TableOutputInput& input);
    // The switch button of one window: hides it and shows the other.
    void AlternaGrafico(charts::ChartKind pressedIn);

    charts::ChartWindow* absolute() const { return absolute_.get(); }       // TfrmGraphPopMasc
    charts::ChartWindow* percentage() const { return percentage_.get(); }   // TfrmGrafPerc

private:
    std::unique_ptr<charts::ChartWindow> newWindow(charts::ChartKind kind, const charts::ChartData& chart,
                                                   bool switchButton);

    TfrmPrincipal& window_;
    std::unique_ptr<charts::ChartWindow> percentage_;
    std::unique_ptr<charts::ChartWindow> absolute_;
};

// Makes the window's "Gráfico" button run bt_graficoClick on the choices of
// the two pages; the chart windows live as long as the main window.
void wireChartOutput(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                     localities::LocalityPageController& localityPage);

} // namespace daxo::app
