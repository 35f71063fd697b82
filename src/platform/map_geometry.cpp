#include "map_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace daxo::platform {

void MapRectangle::scaleInPlace(double factor)
{
    const MapPoint c = center();
    const double halfW = width() * factor / 2, halfH = height() * factor / 2;
    *this = MapRectangle(c.x - halfW, c.y - halfH, c.x + halfW, c.y + halfH);
}

MapRectangle MapRectangle::scaledAbout(MapPoint anchor, double factor) const
{
    return {anchor.x - (anchor.x - left_) * factor, anchor.y - (anchor.y - bottom_) * factor,
            anchor.x + (right_ - anchor.x) * factor, anchor.y + (top_ - anchor.y) * factor};
}

MapRectangle MapRectangle::united(const MapRectangle& other) const
{
    if (isEmpty())
        return other;
    if (other.isEmpty())
        return *this;
    return {std::min(left_, other.left_), std::min(bottom_, other.bottom_), std::max(right_, other.right_),
            std::max(top_, other.top_)};
}

MapRectangle MapRectangle::fittedTo(double aspect) const
{
    if (isEmpty() || aspect <= 0)
        return *this;
    MapRectangle r = *this;
    const MapPoint c = center();
    if (width() / height() < aspect) {
        const double half = height() * aspect / 2;
        r = {c.x - half, bottom_, c.x + half, top_};
    } else {
        const double half = width() / aspect / 2;
        r = {left_, c.y - half, right_, c.y + half};
    }
    return r;
}

bool polygonContains(const MapShape& shape, MapPoint p)
{
    if (!shape.bounds.contains(p))
        return false;
    bool inside = false;
    for (const auto& ring : shape.parts) {
        const std::size_t n = ring.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const MapPoint& a = ring[i];
            const MapPoint& b = ring[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
                inside = !inside;
        }
    }
    return inside;
}

namespace {
double segmentDistance(MapPoint p, MapPoint a, MapPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double ringArea(const std::vector<MapPoint>& ring)
{
    double a = 0;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        a += ring[j].x * ring[i].y - ring[i].x * ring[j].y;
    return a / 2;
}
// The middle of the widest inside stretch of the horizontal line at y.
MapPoint widestSpanMiddle(const MapShape& shape, const std::vector<MapPoint>& ring, double y)
{
    std::vector<double> xs;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        if ((ring[i].y > y) != (ring[j].y > y))
            xs.push_back(ring[i].x + (y - ring[i].y) * (ring[j].x - ring[i].x) / (ring[j].y - ring[i].y));
    std::sort(xs.begin(), xs.end());
    MapPoint best = shape.bounds.center();
    double widest = -1;
    for (std::size_t i = 1; i < xs.size(); i += 2)
        if (xs[i] - xs[i - 1] > widest) {
            widest = xs[i] - xs[i - 1];
            best = {(xs[i] + xs[i - 1]) / 2, y};
        }
    return best;
}

} // namespace

double distanceTo(const MapShape& shape, MapPoint p, bool filled)
{
    if (filled && polygonContains(shape, p))
        return 0;
    double best = std::numeric_limits<double>::infinity();
    for (const auto& part : shape.parts) {
        if (part.size() == 1)
            best = std::min(best, std::hypot(p.x - part[0].x, p.y - part[0].y));
        for (std::size_t i = 1; i < part.size(); ++i)
            best = std::min(best, segmentDistance(p, part[i - 1], part[i]));
    }
    return best;
}

MapPoint labelPoint(const MapShape& shape)
{
    const std::vector<MapPoint>* largest = nullptr;
    double largestArea = -1;
    for (const auto& ring : shape.parts) {
        const double a = std::abs(ringArea(ring));
        if (ring.size() >= 3 && a > largestArea) {
            largestArea = a;
            largest = &ring;
        }
    }
    if (!largest || largestArea <= 0)
        return shape.bounds.center();
    double cx = 0, cy = 0;
    const auto& r = *largest;
    for (std::size_t i = 0, j = r.size() - 1; i < r.size(); j = i++) {
        const double f = r[j].x * r[i].y - r[i].x * r[j].y;
        cx += (r[j].x + r[i].x) * f;
        cy += (r[j].y + r[i].y) * f;
    }
    const double a6 = 6 * ringArea(r);
    const MapPoint c{cx / a6, cy / a6};
    return polygonContains(shape, c) ? c : widestSpanMiddle(shape, r, c.y);
}

} // namespace daxo::platform
