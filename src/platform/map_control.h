#pragma once
// The map control: draws its layers within an extent, pans and zooms with
// the mouse when asked, prints and exports the picture.
#include "map_layer.h"
#include "map_painting.h"

#include <QWidget>

#include <functional>
#include <string>

namespace daxo::platform {

class MapControl : public QWidget {
public:
    static constexpr int kPanPointer = 53;
    static constexpr int kZoomPointer = 50;

    explicit MapControl(QWidget* parent = nullptr);

    MapLayers& Layers() { return layers_; }
    // What the window shows: the extent set, widened to the window's shape.
    MapRectangle Extent() const;
    void setExtent(const MapRectangle& extent);
    // The map never scrolls; kept so callers can say so.
    void setScrollBars(bool) {}

    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    void setHint(const std::string& text);

    void refresh() { update(); }
    // Called from a mouse-down handler: the drag that follows pans the map,
    // or tracks a rectangle that becomes the extent.
    void pan();
    void trackRectangle();
    MapPoint toMapPoint(double x, double y) const;

    // Prints on the default printer in landscape; throws MapError when no
    // printer is available.
    void printMap(const std::string& documentName);
    // Writes the map as a vector picture (SVG) at `scale` times the window size.
    void exportMap(const std::string& path, double scale);
    // Paints the layers into any device (window, printer, picture).
    void render(QPainter& painter, const QRect& target, MapDrawing drawing = MapDrawing::Screen);

    std::function<void(Qt::MouseButton, int x, int y)> onMouseDown;
    std::function<void(int x, int y)> onMouseMove;
    std::function<void()> onExit;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent*) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Drag { None, Pan, Rectangle };
    MapRectangle viewFor(const QRect& target) const;

    MapLayers layers_;
    MapRectangle extent_;
    int mousePointer_ = 0;
    Drag drag_ = Drag::None;
    QPoint pressAt_, dragAt_;
    MapRectangle extentAtPress_;
};

} // namespace daxo::platform
