#include "map_painting.h"

#include "dbf_table.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <numeric>

namespace daxo::platform {

namespace {

QColor colour(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// What the control keeps per layer: its shapes as paths in map units and
// where their labels go.
struct LayerPaths {
    std::vector<QPainterPath> paths;
    std::vector<MapPoint> labelAt;
};

const LayerPaths& pathsOf(const MapLayer& layer)
{
    if (auto* cached = std::any_cast<LayerPaths>(&layer.drawCache))
        return *cached;
    LayerPaths built;
    built.paths.reserve(layer.featureCount());
    for (std::size_t i = 0; i < layer.featureCount(); ++i) {
        const MapShape& shape = layer.shape(i);
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const auto& part : shape.parts) {
            QPolygonF polygon;
            polygon.reserve(static_cast<int>(part.size()));
            for (const MapPoint& p : part)
                polygon << QPointF(p.x, p.y);
            if (layer.shapeKind() == ShapeKind::Polygon)
                path.addPolygon(polygon), path.closeSubpath();
            else
                path.addPolygon(polygon);
        }
        built.paths.push_back(std::move(path));
        built.labelAt.push_back(labelPoint(shape));
    }
    layer.drawCache = std::move(built);
    return std::any_cast<const LayerPaths&>(layer.drawCache);
}

QFont fontOf(const TextSymbol& text, double scale)
{
    QFont font(QString::fromStdString(text.font));
    if (text.height > 0)
        font.setPixelSize(std::max(1, static_cast<int>(text.height * scale)));
    else
        font.setPointSize(std::max(1, text.size));
    font.setBold(text.bold);
    return font;
}

void drawLabels(QPainter& painter, const MapLayer& layer, const LabelPlacer& placer, const QTransform& toPage,
                double scale, MapDrawing drawing)
{
    const LayerPaths& cached = pathsOf(layer);
    const std::vector<std::string> texts = placer.labelsFor(layer.table());
    const QFont font = fontOf(placer.defaultSymbol, scale);
    const QColor ink = colour(placer.defaultSymbol.colour);
    const QColor haloInk = ink.lightness() < 128 ? Qt::white : Qt::black;
    const QFontMetricsF metrics(font, painter.device());
    painter.setFont(font);
    std::vector<QRectF> placed;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty() || !layer.visible)
            continue;
        const QString text = QString::fromStdString(texts[i]);
        const QPointF at = toPage.map(QPointF(cached.labelAt[i].x, cached.labelAt[i].y));
        QRectF box = metrics.boundingRect(text);
        // Crowded small features: try just above and just below before giving up.
        const double shifts[] = {0, -box.height(), box.height()};
        bool free = false;
        for (double dy : shifts) {
            box.moveCenter(at + QPointF(0, dy));
            free = !placer.dropOverlapping ||
                   std::none_of(placed.begin(), placed.end(), [&](const QRectF& r) { return r.intersects(box); });
            if (free)
                break;
        }
        if (!free)
            continue;
        placed.push_back(box);
        const QPointF baseline(box.left(), box.top() + metrics.ascent());
        // A picture's reader may lack the font and draw its text narrower or
        // wider than the halo around it: pictures get the letters as shapes.
        const bool asShapes = drawing == MapDrawing::Picture;
        QPainterPath outline;
        if (placer.halo || asShapes)
            outline.addText(baseline, font, text);
        if (placer.halo)
            painter.strokePath(outline, QPen(haloInk, 2.5));
        if (asShapes) {
            painter.fillPath(outline, ink);
        } else {
            painter.setPen(ink);
            painter.drawText(baseline, text);
        }
    }
}

// Which symbol each feature takes, in drawing order: emphasised ones last.
struct FeatureSymbols {
    std::vector<const Symbol*> symbols;
    std::vector<std::size_t> order;
};

FeatureSymbols symbolsOf(const MapLayer& layer)
{
    FeatureSymbols f;
    f.symbols = layer.renderer ? layer.renderer->symbolsFor(layer.table())
                               : std::vector<const Symbol*>(layer.featureCount(), nullptr);
    f.symbols.resize(layer.featureCount(), nullptr);
    for (auto& s : f.symbols)
        if (!s)
            s = &layer.defaultSymbol();
    f.order.resize(f.symbols.size());
    std::iota(f.order.begin(), f.order.end(), 0);
    std::stable_sort(f.order.begin(), f.order.end(), [&](std::size_t a, std::size_t b) {
        return f.symbols[a]->emphasis < f.symbols[b]->emphasis;
    });
    return f;
}

// Pictures draw outlines a little finer than the screen's pixel: a page
// holds the whole country at once.
constexpr double kPictureOutline = 0.6;

// `toPage` takes map units to the target's units; `outer` is what the
// painter already had (a page scaled for a picture or a printer).
void drawLayer(QPainter& painter, const MapLayer& layer, const QTransform& toPage, const QTransform& outer,
               double scale, MapDrawing drawing)
{
    const LayerPaths& cached = pathsOf(layer);
    const FeatureSymbols f = symbolsOf(layer);
    const bool onScreen = drawing == MapDrawing::Screen;
    const QTransform shapes = onScreen ? toPage * outer : outer;
    painter.setTransform(shapes);
    const bool filled = layer.shapeKind() == ShapeKind::Polygon;
    for (std::size_t i : f.order) {
        const Symbol& s = *f.symbols[i];
        const double width = std::max(1, s.outlineWidth) * (onScreen ? 1.0 : kPictureOutline);
        QPen pen(colour(filled ? s.outlineColour : s.fillColour), width);
        pen.setCosmetic(onScreen);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(filled && !s.outline ? QPen(Qt::NoPen) : pen);
        painter.setBrush(filled ? QBrush(colour(s.fillColour)) : QBrush(Qt::NoBrush));
        if (layer.shapeKind() == ShapeKind::Point) {
            painter.setTransform(outer);
            for (const auto& part : layer.shape(i).parts)
                for (const MapPoint& p : part)
                    painter.drawEllipse(toPage.map(QPointF(p.x, p.y)), 3, 3);
            painter.setTransform(shapes);
        } else {
            painter.drawPath(onScreen ? cached.paths[i] : toPage.map(cached.paths[i]));
        }
    }
    painter.setTransform(outer);
    if (const auto* placer = dynamic_cast<const LabelPlacer*>(layer.renderer.get()))
        drawLabels(painter, layer, *placer, toPage, scale, drawing);
}

} // namespace

MapRectangle viewOf(const MapRectangle& extent, const QRectF& target)
{
    if (target.width() <= 0 || target.height() <= 0)
        return extent;
    return extent.fittedTo(target.width() / target.height());
}

void paintLayers(QPainter& painter, const MapLayers& layers, const MapRectangle& extent, const QRectF& target,
                 MapDrawing drawing)
{
    const MapRectangle view = viewOf(extent, target);
    if (view.isEmpty())
        return;
    const double scale = target.width() / view.width();
    const QTransform toPage(scale, 0, 0, -scale, target.left() - view.left() * scale, target.top() + view.top() * scale);
    painter.save();
    const QTransform outer = painter.transform();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = layers.count() - 1; i >= 0; --i)
        if (layers.item(i).visible)
            drawLayer(painter, layers.item(i), toPage, outer, scale, drawing);
    painter.restore();
}

} // namespace daxo::platform
