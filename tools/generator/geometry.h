#pragma once
// Plane geometry for the sample map layers: rings in longitude/latitude,
// convex Voronoi cells and the clipping that keeps every level nested.
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

// The part of `ring` on the side of the line where n·p <= c.
Ring clipHalfPlane(const Ring& ring, Point n, double c);
// The same for a ring that need not be convex: where the line cuts a
// concavity the result falls into separate rings (no zero-width bridges).
std::vector<Ring> clipHalfPlaneParts(const Ring& ring, Point n, double c);
// The parts of `ring` inside the convex, counter-clockwise polygon `convex`.
std::vector<Ring> clipConvex(const Ring& ring, const Ring& convex);

// The Voronoi cell of seeds[index] within `bounds`, counter-clockwise.
Ring voronoiCell(const std::vector<Point>& seeds, std::size_t index, const Box& bounds);

// `shape` cut by the convex polygon; parts that vanish are dropped.
Shape clipShape(const Shape& shape, const Ring& convex);

} // namespace daxo::generator
