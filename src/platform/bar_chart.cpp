#include "platform/bar_chart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace daxo::platform {

BarChart::BarChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);   // the bar under the mouse names itself
}

std::optional<BarPlace> PlotFrame::barAt(QPointF pixel) const
{
    for (auto bar = bars.rbegin(); bar != bars.rend(); ++bar)
        if (bar->outline.containsPoint(pixel, Qt::OddEvenFill))
            return bar->place;
    return std::nullopt;
}

PlotFrame BarChart::currentFrame() const
{
    QImage scratch(size(), QImage::Format_RGB32);
    QPainter painter(&scratch);
    return paintBarChart(painter, QRectF(rect()), model_);
}

QImage BarChart::toImage(QSize size) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintBarChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), model_);
    return image;
}

bool BarChart::printLandscape(QPrinter& printer) const
{
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // Drawn at the screen size's proportions, then scaled to the page.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution()).translated(
        -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    const double logicalWidth = std::max(width(), 781);
    const double scale = page.width() / logicalWidth;
    painter.scale(scale, scale);
    paintBarChart(painter, QRectF(0, 0, logicalWidth, page.height() / scale), model_);
    return painter.end();
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBarChart(painter, QRectF(rect()), model_);
    if (dragging_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(dragRect_);
    }
}

void BarChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    dragStart_ = event->position();
    dragRect_ = QRectF(dragStart_, dragStart_);
}

void BarChart::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_) {
        showBarUnder(event->position());
        return;
    }
    dragRect_ = QRectF(dragStart_, event->position()).normalized();
    update();
}

void BarChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    const QPointF end = event->position();
    const QPointF moved = end - dragStart_;
    if (moved.x() > 4 && moved.y() > 4) {
        zoomToRectangle(QRectF(dragStart_, end));
    } else if (moved.x() < -4 || moved.y() < -4) {
        // Dragging back up or left gives up the zoom, as charts usually do.
        model_.undoZoom();
        if (onMouseZoom)
            onMouseZoom(false);
    }
    update();
}

void BarChart::wheelEvent(QWheelEvent* event)
{
    // A notch forward zooms in by a fifth about the point under the mouse;
    // back undoes it exactly.
    const double notches = event->angleDelta().y() / 120.0;
    const QRectF f = currentFrame().front;
    if (notches == 0 || f.width() <= 0 || f.height() <= 0) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    model_.zoomAbout((at.x() - f.left()) / f.width(), (f.bottom() - at.y()) / f.height(), std::pow(0.8, notches));
    event->accept();
    update();
    if (onMouseZoom)
        onMouseZoom(true);
}

void BarChart::showBarUnder(QPointF pixel)
{
    const std::optional<BarPlace> bar = currentFrame().barAt(pixel);
    const QString text = bar ? QString::fromStdString(model_.describeBar(*bar)) : QString();
    if (text == toolTip())
        return;
    setToolTip(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else if (isVisible())
        QToolTip::showText(mapToGlobal(pixel.toPoint()), text, this);
}

void BarChart::zoomToRectangle(const QRectF& pixels)
{
    const PlotFrame frame = currentFrame();
    const QRectF& f = frame.front;
    if (f.width() <= 0 || f.height() <= 0)
        return;
    const auto along = [](double pixel, double from, double length, const AxisRange& r) {
        return r.minimum + (pixel - from) / length * (r.maximum - r.minimum);
    };
    const AxisRange horizontal{along(pixels.left(), f.left(), f.width(), frame.horizontal),
                               along(pixels.right(), f.left(), f.width(), frame.horizontal)};
    const AxisRange vertical{along(f.bottom() - pixels.bottom(), 0, f.height(), frame.vertical),
                             along(f.bottom() - pixels.top(), 0, f.height(), frame.vertical)};
    // Two steps: half-way, shown, then the target.
    const AxisRange fromH = model_.range(Axis::Bottom), fromV = model_.range(Axis::Left);
    const auto halfway = [](const AxisRange& a, const AxisRange& b) {
        return AxisRange{(a.minimum + b.minimum) / 2, (a.maximum + b.maximum) / 2};
    };
    for (const auto& [h, v] : {std::pair{halfway(fromH, horizontal), halfway(fromV, vertical)},
                               std::pair{horizontal, vertical}}) {
        for (Axis axis : {Axis::Top, Axis::Bottom})
            model_.setRange(axis, h);
        for (Axis axis : {Axis::Left, Axis::Right})
            model_.setRange(axis, v);
        repaint();
    }
    if (onMouseZoom)
        onMouseZoom(true);
}

} // namespace daxo::platform
