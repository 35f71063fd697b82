#pragma once
// The state of a bar chart without any drawing: series, 3D view, axis
// ranges with zoom and scrolling, legend position, value marks, title and
// footer lines. The widget in bar_chart.h paints it.
#include <optional>
#include <string>
#include <vector>

namespace daxo::platform {

struct ChartColour {
    int red = 0, green = 0, blue = 0;
    friend bool operator==(const ChartColour&, const ChartColour&) = default;
};

// "Lado": the series shares its group with the other side-by-side series;
// "Atrás": it gets its own row in depth, behind them, as wide as the group.
enum class BarLayout { Side, Behind };

struct BarSeries {
    std::string title;
    ChartColour colour;
    std::vector<std::string> labels;           // one per bar; '\r' breaks lines
    std::vector<std::optional<double>> values; // no value, no bar
    int arrowLength = 10;                      // pixels from bar top to its mark
    bool marksVisible = true;
    BarLayout layout = BarLayout::Side;
};

// One bar: its series and its group.
struct BarPlace {
    int series = 0;
    int category = 0;
    friend bool operator==(const BarPlace&, const BarPlace&) = default;
};

enum class LegendPosition { Left, Top, Right, Bottom };
LegendPosition nextLegendPosition(LegendPosition position);

struct AxisRange {
    double minimum = 0;
    double maximum = 1;
    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

enum class Axis { Left, Right, Top, Bottom, Depth };

struct View3D {
    bool enabled = true;
    int depthPercent = 15;
    int rotation = 360;
    int elevation = 308;
    bool orthogonal = true;   // depth drawn straight to the upper right, whatever the rotation
};

class BarChartModel {
public:
    void setSeries(std::vector<BarSeries> series);
    const std::vector<BarSeries>& series() const { return series_; }
    BarSeries& seriesAt(int index) { return series_.at(index); }
    int seriesCount() const { return static_cast<int>(series_.size()); }
    // Number of bar groups: the longest series.
    int categoryCount() const;
    // The label under a group: the first series that has one.
    std::string categoryLabel(int category) const;
    // Swaps two series in the drawing and legend order.
    void exchangeSeries(int first, int second);
    void setMarksVisible(bool visible);   // every series
    // Text of a value mark: every mark of the chart has as many decimals as
    // its most precise value needs, so "21,70" stands beside "21,03".
    std::string markText(double value) const;

    View3D view;

    // The range an axis shows now: its own while zoomed or scrolled, else
    // the automatic one computed from the data. Left/right carry values,
    // top/bottom the group positions 0 … n-1, depth the series rows.
    AxisRange range(Axis axis) const;
    AxisRange automaticRange(Axis axis) const;
    bool isAutomatic(Axis axis) const;
    void setRange(Axis axis, AxisRange range);

    // Every one of the four axes narrows (q > 100) or widens (q < 100)
    // around its centre by (max - min) × (q - 100) / 100 on each side.
    void zoomPercent(double q);
    // Every one of the four axes narrows (factor < 1) or widens about the
    // point lying at these fractions (0 … 1) of the horizontal and vertical
    // ranges, which keeps its place: zooming about the mouse.
    void zoomAbout(double horizontalFraction, double verticalFraction, double factor);
    // Moves the top and bottom (horizontal) or left and right (vertical)
    // axes by p per cent of their width.
    void scrollHorizontal(double p);
    void scrollVertical(double p);
    // All axes automatic again.
    void undoZoom();

    // "Série: …", "Localidade: …" and "Valor: …" lines naming a bar, the
    // value in full.
    std::string describeBar(BarPlace bar) const;

    LegendPosition legendPosition = LegendPosition::Right;
    bool legendVisible = true;

    std::vector<std::string> titleLines;
    ChartColour titleColour{0, 0, 255};
    std::vector<std::string> footerLines;

private:
    static int slot(Axis axis) { return static_cast<int>(axis); }
    void scroll(Axis first, Axis second, double p);

    std::vector<BarSeries> series_;
    int markDecimals_ = 0;
    std::optional<AxisRange> manual_[5];
};

// Text of an axis label: "1.234,5"; with `decimals`, exactly that many.
std::string chartNumber(double value);
std::string chartNumber(double value, int decimals);

// A round step for about `wanted` divisions of a range (1, 2 or 5 × 10^k).
double niceStep(double span, int wanted);

} // namespace daxo::platform
