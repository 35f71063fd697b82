#pragma once
// What the detail panel of a chart window does to the chart, without
// widgets: zoom and scrolling with the "Normal" button's state, 3D, value
// marks, legend, series order and bar layout; and the window's heights.
#include "charts/chart_series.h"
#include "platform/bar_chart_model.h"

#include <string>
#include <vector>

namespace daxo::charts {

// Client height when the window is created.
int alturaInicial(int larguraTela);

// Opening grows from `openingStart` to `opened`; closing ends at `closed`.
struct DetailHeights {
    int openingStart;
    int opened;
    int closed;
};
DetailHeights detailHeights(int larguraTela);
// Every height the window passes through, the last one exact.
std::vector<int> openingHeights(int larguraTela);
std::vector<int> closingHeights(int larguraTela);

inline constexpr const char* kAbrirDetalhe = "Abrir Detalhe Gráfico";
inline constexpr const char* kFecharDetalhe = "Fechar Detalhe Gráfico";

// bt_Percentual of each window.
struct SwitchButton {
    const char* caption;
    const char* hint;
};
SwitchButton switchButton(ChartKind kind);

// Title colour and footer of the printed and saved chart.
inline constexpr unsigned kCorTitulo = 10174740;   // 0x00BBGGRR
platform::ChartColour fromBgr(unsigned value);
std::vector<std::string> printFooter();

// The chart's data as the chart component holds it.
std::vector<platform::BarSeries> toBarSeries(const std::vector<ChartSeries>& series);

class ChartTools {
public:
    explicit ChartTools(platform::BarChartModel& model) : model_(model) {}

    // Zoom and scrolling enable "Normal"; "Normal" undoes them and is disabled.
    void zoom(double percent);
    void scrollHorizontal(double percent);
    void scrollVertical(double percent);
    // "Normal" has something to undo only after a zoom, not after giving it up.
    void zoomedByMouse(bool zoomed) { normalEnabled_ = zoomed; }
    void normal();
    bool normalEnabled() const { return normalEnabled_; }

    // The rotation and depth bars act only in 3D.
    void set3D(bool on);
    bool is3D() const { return model_.view.enabled; }
    void setRotation(int position);
    void setDepth(int percent);

    void toggleMarks();
    bool marksOn() const { return marksOn_; }

    void nextLegendPosition();

    // Moves a series one place later or earlier; returns where it is now.
    // The marks of every series are shown again afterwards.
    int moveLater(int index);
    int moveEarlier(int index);

    void setLayout(int index, platform::BarLayout layout);
    std::vector<std::string> seriesTitles() const;

private:
    int exchangeAndShowMarks(int index, int other);

    platform::BarChartModel& model_;
    bool normalEnabled_ = false;
    bool marksOn_ = true;
};

} // namespace daxo::charts
