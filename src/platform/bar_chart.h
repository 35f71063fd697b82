#pragma once
// A bar chart widget over BarChartModel: pseudo-3D bars, value marks,
// category labels, a value axis, legend, title and footer lines. Paints on
// the screen, a printer or an image alike.
#include "platform/bar_chart_model.h"

#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QPainter;
class QPrinter;

namespace daxo::platform {

// A bar as drawn: its faces' outline, in drawing order.
struct DrawnBar {
    BarPlace place;
    QPolygonF outline;
};

// Where a drawing put the plot, to turn mouse positions into axis values,
// and its bars, to name the one under the mouse.
struct PlotFrame {
    QRectF front;   // the front plane of the bars
    AxisRange horizontal;
    AxisRange vertical;
    std::vector<DrawnBar> bars;
    // The bar seen at `pixel`: the last drawn there, so a front bar before
    // the one behind it.
    std::optional<BarPlace> barAt(QPointF pixel) const;
};

// Draws the whole chart into `area` on white.
PlotFrame paintBarChart(QPainter& painter, const QRectF& area, const BarChartModel& model);

class BarChart : public QWidget {
    Q_OBJECT
public:
    explicit BarChart(QWidget* parent = nullptr);

    BarChartModel& model() { return model_; }
    const BarChartModel& model() const { return model_; }

    // The chart as it is now, drawn on white.
    QImage toImage(QSize size) const;
    QImage toImage() const { return toImage(size()); }
    // Prints on one landscape page; false when the printer cannot start.
    bool printLandscape(QPrinter& printer) const;

    // A mouse drag zoomed into its rectangle (true), or, dragged back up or
    // left, gave up every zoom (false).
    std::function<void(bool zoomed)> onMouseZoom;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Where the plot lies now, whether or not the screen has been painted.
    PlotFrame currentFrame() const;
    void zoomToRectangle(const QRectF& pixels);
    void showBarUnder(QPointF pixel);

    BarChartModel model_;
    QPointF dragStart_;
    QRectF dragRect_;
    bool dragging_ = false;
};

} // namespace daxo::platform
