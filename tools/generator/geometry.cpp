#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace daxo::generator {

double signedArea(const Ring& ring)
{
    double sum = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        sum += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
    return ring.empty() ? 0 : sum / 2;
}

double area(const Shape& shape)
{
    double sum = 0;
    for (const Ring& r : shape) sum += std::fabs(signedArea(r));
    return sum;
}

Box boundingBox(const Shape& shape)
{
    Box b{1e300, 1e300, -1e300, -1e300};
    for (const Ring& r : shape)
        for (const Point& p : r) {
            b.minX = std::min(b.minX, p.x); b.maxX = std::max(b.maxX, p.x);
            b.minY = std::min(b.minY, p.y); b.maxY = std::max(b.maxY, p.y);
        }
    return b;
}

bool contains(const Shape& shape, Point p)
{
    bool inside = false;
    for (const Ring& ring : shape)
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const Point& a = ring[i];
            const Point& b = ring[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
    return inside;
}

} // namespace daxo::generator
