#pragma once
// Plain geometry of the map component: points, rectangles in map units
// (y grows upwards) and the polygon tests the searches use.
#include <vector>

namespace daxo::platform {

struct MapPoint {
    double x = 0;
    double y = 0;
};

class MapRectangle {
public:
    MapRectangle() = default;
    MapRectangle(double left, double bottom, double right, double top)
        : left_(left), bottom_(bottom), right_(right), top_(top) {}

    double left() const { return left_; }
    double bottom() const { return bottom_; }
    double right() const { return right_; }
    double top() const { return top_; }
    double width() const { return right_ - left_; }
    double height() const { return top_ - bottom_; }
    MapPoint center() const { return {(left_ + right_) / 2, (bottom_ + top_) / 2}; }
    bool isEmpty() const { return width() <= 0 || height() <= 0; }
    bool contains(MapPoint p) const { return p.x >= left_ && p.x <= right_ && p.y >= bottom_ && p.y <= top_; }

    // Grows or shrinks about the centre: 0.8 zooms in, 1.2 out.
    void scaleInPlace(double factor);
    // Grows or shrinks about `anchor`, which keeps its place relative to the
    // edges: zooming about the point under the mouse.
    MapRectangle scaledAbout(MapPoint anchor, double factor) const;
    // The smallest rectangle holding both (an empty one holds nothing).
    MapRectangle united(const MapRectangle& other) const;
    // This rectangle widened in one direction to the width/height ratio of a
    // window, centred, as the window shows it.
    MapRectangle fittedTo(double aspect) const;

    bool operator==(const MapRectangle&) const = default;

private:
    double left_ = 0, bottom_ = 0, right_ = 0, top_ = 0;
};

// A polygon or polyline shape: its parts (rings or lines) and their bounds.
struct MapShape {
    std::vector<std::vector<MapPoint>> parts;
    MapRectangle bounds;
};

// Even-odd rule over all rings, so holes are left out.
bool polygonContains(const MapShape& shape, MapPoint p);
// Shortest distance from p to the shape's lines (0 inside a polygon when
// `filled`).
double distanceTo(const MapShape& shape, MapPoint p, bool filled);
// Where a label goes: the area centroid of the largest ring, or, when that
// falls outside the shape (an L, a crescent), the middle of the widest inside
// stretch at the centroid's height.
MapPoint labelPoint(const MapShape& shape);

} // namespace daxo::platform
