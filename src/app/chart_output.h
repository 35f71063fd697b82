#pragma once
// The chart output button (bt_graficoClick): runs the query for the current
// choice and shows the bar-chart windows, absolute values and, for the count
// indicators with a national total, percentages of it.
#include "charts/chart_series.h"
#include "table_output.h"

#include <memory>
#include <string>
#include <vector>

namespace daxo::charts {
class ChartWindow;
}

namespace daxo::app {

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
    struct Chart;
    void GraficoPercentual(const Chart& chart, const TableOutputInput& input);
    std::unique_ptr<charts::ChartWindow> newWindow(charts::ChartKind kind, const Chart& chart,
                                                   std::vector<charts::ChartSeries> series, bool switchButton);
    void busy();

    TfrmPrincipal& window_;
    std::unique_ptr<charts::ChartWindow> percentage_;
    std::unique_ptr<charts::ChartWindow> absolute_;
};

// Makes the window's "Gráfico" button run bt_graficoClick on the choices of
// the two pages; the chart windows live as long as the main window.
void wireChartOutput(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                     localities::LocalityPageController& localityPage);

} // namespace daxo::app
