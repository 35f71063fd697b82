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

Ring clipHalfPlane(const Ring& ring, Point n, double c)
{
    Ring out;
    if (ring.empty()) return out;
    out.reserve(ring.size() + 4);
    auto side = [&](const Point& p) { return n.x * p.x + n.y * p.y - c; };
    Point prev = ring.back();
    double prevSide = side(prev);
    for (const Point& cur : ring) {
        const double curSide = side(cur);
        if ((curSide <= 0) != (prevSide <= 0)) {
            const double t = prevSide / (prevSide - curSide);
            out.push_back({prev.x + t * (cur.x - prev.x), prev.y + t * (cur.y - prev.y)});
        }
        if (curSide <= 0) out.push_back(cur);
        prev = cur;
        prevSide = curSide;
    }
    return out;
}

std::vector<Ring> clipHalfPlaneParts(const Ring& ring, Point n, double c)
{
    const std::size_t count = ring.size();
    std::vector<double> side(count);
    std::size_t outside = count;
    bool anyInside = false;
    for (std::size_t i = 0; i < count; ++i) {
        side[i] = n.x * ring[i].x + n.y * ring[i].y - c;
        if (side[i] <= 0) anyInside = true;
        else if (outside == count) outside = i;
    }
    if (outside == count) return {ring};
    if (!anyInside) return {};

    // Inside stretches of the boundary, each from an entry to an exit on the
    // line; starting outside, none wraps around.
    struct Chain {
        Ring points;
        double entry = 0, exit = 0;   // positions along the line
    };
    const Point along{-n.y, n.x};
    auto position = [&](const Point& p) { return along.x * p.x + along.y * p.y; };
    std::vector<Chain> chains;
    for (std::size_t k = 1; k <= count; ++k) {
        const std::size_t i = (outside + k) % count, prev = (outside + k - 1) % count;
        const bool wasInside = side[prev] <= 0, isInside = side[i] <= 0;
        if (wasInside != isInside) {
            const double t = side[prev] / (side[prev] - side[i]);
            const Point cut{ring[prev].x + t * (ring[i].x - ring[prev].x), ring[prev].y + t * (ring[i].y - ring[prev].y)};
            if (isInside) {
                chains.push_back({{cut}, position(cut), 0});
            } else {
                chains.back().points.push_back(cut);
                chains.back().exit = position(cut);
            }
        }
        if (isInside) chains.back().points.push_back(ring[i]);
    }

    // Along the line the crossings pair up into the stretches that lie inside
    // the outline; each pair joins one chain's exit to another's entry.
    struct Crossing {
        double at;
        std::size_t chain;
        bool entry;
    };
    std::vector<Crossing> crossings;
    for (std::size_t k = 0; k < chains.size(); ++k) {
        crossings.push_back({chains[k].entry, k, true});
        crossings.push_back({chains[k].exit, k, false});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.at < b.at; });
    std::vector<std::size_t> next(chains.size(), chains.size());
    for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
        const Crossing& a = crossings[k];
        const Crossing& b = crossings[k + 1];
        if (a.entry == b.entry) return {clipHalfPlane(ring, n, c)};   // degenerate touch: keep it whole
        next[a.entry ? b.chain : a.chain] = a.entry ? a.chain : b.chain;
    }
    std::vector<Ring> parts;
    std::vector<bool> used(chains.size(), false);
    for (std::size_t first = 0; first < chains.size(); ++first) {
        if (used[first]) continue;
        Ring part;
        for (std::size_t k = first; k < chains.size() && !used[k]; k = next[k]) {
            used[k] = true;
            part.insert(part.end(), chains[k].points.begin(), chains[k].points.end());
        }
        if (part.size() >= 3) parts.push_back(std::move(part));
    }
    return parts;
}

std::vector<Ring> clipConvex(const Ring& ring, const Ring& convex)
{
    std::vector<Ring> parts{ring};
    for (std::size_t i = 0; i < convex.size() && !parts.empty(); ++i) {
        const Point& a = convex[i];
        const Point& b = convex[(i + 1) % convex.size()];
        // Inside of a counter-clockwise edge is on its left: keep n·p <= c
        // with n the right-hand normal.
        const Point n{b.y - a.y, a.x - b.x};
        std::vector<Ring> clipped;
        for (const Ring& part : parts)
            for (Ring& piece : clipHalfPlaneParts(part, n, n.x * a.x + n.y * a.y)) clipped.push_back(std::move(piece));
        parts = std::move(clipped);
    }
    return parts;
}

Ring voronoiCell(const std::vector<Point>& seeds, std::size_t index, const Box& bounds)
{
    const Point s = seeds[index];
    Ring cell{{bounds.minX, bounds.minY}, {bounds.maxX, bounds.minY},
              {bounds.maxX, bounds.maxY}, {bounds.minX, bounds.maxY}};
    std::vector<std::size_t> order(seeds.size());
    std::iota(order.begin(), order.end(), 0);
    auto dist2 = [&](std::size_t k) {
        const double dx = seeds[k].x - s.x, dy = seeds[k].y - s.y;
        return dx * dx + dy * dy;
    };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return dist2(a) < dist2(b); });
    double reach2 = 0;  // farthest cell corner from the seed, squared
    auto updateReach = [&] {
        reach2 = 0;
        for (const Point& p : cell)
            reach2 = std::max(reach2, (p.x - s.x) * (p.x - s.x) + (p.y - s.y) * (p.y - s.y));
    };
    updateReach();
    for (std::size_t k : order) {
        if (k == index) continue;
        // A seed farther than twice the cell's reach cannot cut it.
        if (dist2(k) > 4 * reach2) break;
        const Point o = seeds[k];
        const Point n{o.x - s.x, o.y - s.y};
        const Point m{(o.x + s.x) / 2, (o.y + s.y) / 2};
        if (n.x == 0 && n.y == 0) continue;
        cell = clipHalfPlane(cell, n, n.x * m.x + n.y * m.y);
        updateReach();
    }
    return cell;
}

Shape clipShape(const Shape& shape, const Ring& convex)
{
    Shape out;
    for (const Ring& r : shape)
        for (Ring& part : clipConvex(r, convex))
            if (part.size() >= 3 && std::fabs(signedArea(part)) > 1e-12) out.push_back(std::move(part));
    return out;
}

} // namespace daxo::generator
