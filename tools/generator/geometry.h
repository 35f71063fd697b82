#pragma once
// Plane geometry for the sample map layers: rings in longitude/latitude.
#include <vector>

namespace daxo::generator {

struct Point {
    double x = 0;  // longitude
    double y = 0;  // latitude
};

using Ring = std::vector<Point>;          // closed implicitly (last != first)
using Shape = std::vector<Ring>;          // the parts of one feature

struct Box {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// Positive when counter-clockwise.
double signedArea(const Ring& ring);
double area(const Shape& shape);
Box boundingBox(const Shape& shape);
// Even-odd rule over all parts.
bool contains(const Shape& shape, Point p);

} // namespace daxo::generator
