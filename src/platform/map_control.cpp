#include "map_control.h"

#include "dbf_table.h"
#include "safe_files.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QSvgGenerator>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <filesystem>
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

void drawLabels(QPainter& painter, const MapLayer& layer, const LabelPlacer& placer, const QTransform& toScreen,
                double scale)
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
        const QPointF at = toScreen.map(QPointF(cached.labelAt[i].x, cached.labelAt[i].y));
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
        if (placer.halo) {
            QPainterPath outline;
            outline.addText(baseline, font, text);
            painter.strokePath(outline, QPen(haloInk, 2.5));
        }
        painter.setPen(ink);
        painter.drawText(baseline, text);
    }
}

} // namespace

MapControl::MapControl(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAutoFillBackground(false);
}

MapRectangle MapControl::viewFor(const QRect& target) const
{
    const MapRectangle base = extent_.isEmpty() ? layers_.fullExtent() : extent_;
    if (target.width() <= 0 || target.height() <= 0)
        return base;
    return base.fittedTo(static_cast<double>(target.width()) / target.height());
}

MapRectangle MapControl::Extent() const { return viewFor(rect()); }

void MapControl::setExtent(const MapRectangle& extent)
{
    if (!extent.isEmpty())
        extent_ = extent;
    update();
}

void MapControl::setMousePointer(int pointer)
{
    mousePointer_ = pointer;
    setCursor(pointer == kPanPointer ? Qt::OpenHandCursor : pointer == kZoomPointer ? Qt::CrossCursor : Qt::ArrowCursor);
}

void MapControl::setHint(const std::string& text) { setToolTip(QString::fromStdString(text)); }

void MapControl::pan()
{
    drag_ = Drag::Pan;
    extentAtPress_ = Extent();
}

void MapControl::trackRectangle()
{
    drag_ = Drag::Rectangle;
    dragAt_ = pressAt_;
}

MapPoint MapControl::toMapPoint(double x, double y) const
{
    const MapRectangle view = Extent();
    if (width() <= 0 || view.isEmpty())
        return view.center();
    const double scale = view.width() / width();
    return {view.left() + x * scale, view.top() - y * scale};
}

void MapControl::render(QPainter& painter, const QRect& target)
{
    const MapRectangle view = viewFor(target);
    if (view.isEmpty())
        return;
    const double scale = target.width() / view.width();
    const QTransform toScreen(scale, 0, 0, -scale, target.left() - view.left() * scale,
                              target.top() + view.top() * scale);
    painter.save();
    painter.setClipRect(target);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = layers_.count() - 1; i >= 0; --i)
        if (layers_.item(i).visible)
            drawLayer(painter, layers_.item(i), toScreen, scale);
    painter.restore();
}

void MapControl::drawLayer(QPainter& painter, const MapLayer& layer, const QTransform& toScreen, double scale)
{
    const LayerPaths& cached = pathsOf(layer);
    std::vector<const Symbol*> symbols = layer.renderer ? layer.renderer->symbolsFor(layer.table())
                                                        : std::vector<const Symbol*>(layer.featureCount(), nullptr);
    symbols.resize(layer.featureCount(), nullptr);
    for (auto& s : symbols)
        if (!s)
            s = &layer.defaultSymbol();
    std::vector<std::size_t> order(symbols.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return symbols[a]->emphasis < symbols[b]->emphasis; });

    painter.setTransform(toScreen);
    const bool filled = layer.shapeKind() == ShapeKind::Polygon;
    for (std::size_t i : order) {
        const Symbol& s = *symbols[i];
        QPen pen(colour(filled ? s.outlineColour : s.fillColour), std::max(1, s.outlineWidth));
        pen.setCosmetic(true);
        painter.setPen(filled && !s.outline ? QPen(Qt::NoPen) : pen);
        painter.setBrush(filled ? QBrush(colour(s.fillColour)) : QBrush(Qt::NoBrush));
        if (layer.shapeKind() == ShapeKind::Point) {
            painter.setTransform(QTransform());
            for (const auto& part : layer.shape(i).parts)
                for (const MapPoint& p : part)
                    painter.drawEllipse(toScreen.map(QPointF(p.x, p.y)), 3, 3);
            painter.setTransform(toScreen);
        } else {
            painter.drawPath(cached.paths[i]);
        }
    }
    painter.setTransform(QTransform());
    if (const auto* placer = dynamic_cast<const LabelPlacer*>(layer.renderer.get()))
        drawLabels(painter, layer, *placer, toScreen, scale);
}

void MapControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    render(painter, rect());
    if (drag_ == Drag::Rectangle && dragAt_ != pressAt_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(pressAt_, dragAt_).normalized());
    }
}

void MapControl::mousePressEvent(QMouseEvent* event)
{
    pressAt_ = dragAt_ = event->position().toPoint();
    drag_ = Drag::None;
    if (onMouseDown)
        onMouseDown(event->button(), pressAt_.x(), pressAt_.y());
}

void MapControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (drag_ == Drag::Pan && width() > 0) {
        const double perPixel = extentAtPress_.width() / width();
        const double dx = (at.x() - pressAt_.x()) * perPixel, dy = (at.y() - pressAt_.y()) * perPixel;
        extent_ = {extentAtPress_.left() - dx, extentAtPress_.bottom() + dy, extentAtPress_.right() - dx,
                   extentAtPress_.top() + dy};
        update();
    } else if (drag_ == Drag::Rectangle) {
        dragAt_ = at;
        update();
    }
    if (onMouseMove)
        onMouseMove(at.x(), at.y());
}

void MapControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (drag_ == Drag::Rectangle) {
        const QRect r = QRect(pressAt_, event->position().toPoint()).normalized();
        // A click without a drag would zoom to nothing.
        if (r.width() > 2 && r.height() > 2) {
            const MapPoint a = toMapPoint(r.left(), r.bottom()), b = toMapPoint(r.right(), r.top());
            extent_ = {a.x, a.y, b.x, b.y};
        }
    }
    drag_ = Drag::None;
    update();
}

void MapControl::leaveEvent(QEvent*)
{
    if (onExit)
        onExit();
}

void MapControl::wheelEvent(QWheelEvent* event)
{
    // A notch forward zooms in by a fifth about the point under the mouse;
    // back undoes it exactly.
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0 || Extent().isEmpty()) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    extent_ = Extent().scaledAbout(toMapPoint(at.x(), at.y()), std::pow(0.8, notches));
    event->accept();
    update();
}

void MapControl::printMap(const std::string& documentName)
{
    QPrinter printer(QPrinter::HighResolution);
    if (printer.printerName().isEmpty() || !printer.isValid())
        throw MapError("Nenhuma impressora disponível para imprimir o mapa");
    printer.setDocName(QString::fromStdString(documentName));
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        throw MapError("Não foi possível imprimir o mapa");
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    render(painter, QRect(QPoint(0, 0), page.size()));
    painter.end();
}

void MapControl::exportMap(const std::string& path, double scale)
{
    const QSize size(std::max(1, static_cast<int>(width() * scale)), std::max(1, static_cast<int>(height() * scale)));
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        QSvgGenerator picture;
        picture.setOutputDevice(&buffer);
        picture.setSize(size);
        picture.setViewBox(QRect(QPoint(0, 0), size));
        QPainter painter;
        if (!painter.begin(&picture))
            throw MapError("Não foi possível gravar o arquivo " + path);
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        render(painter, QRect(QPoint(0, 0), size));
    }
    try {
        writeFileSafely(path, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
    } catch (const FileError& e) {
        throw MapError(e.what());
    }
}

} // namespace daxo::platform
