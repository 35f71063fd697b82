#include "map_control.h"

#include "dbf_table.h"
#include "image_files.h"
#include "safe_files.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

namespace daxo::platform {

MapControl::MapControl(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAutoFillBackground(false);
}

MapRectangle MapControl::viewFor(const QRect& target) const
{
    return viewOf(extent_.isEmpty() ? layers_.fullExtent() : extent_, target);
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

void MapControl::render(QPainter& painter, const QRect& target, MapDrawing drawing)
{
    paintLayers(painter, layers_, extent_.isEmpty() ? layers_.fullExtent() : extent_, target, drawing);
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
    try {
        writePicture(path, PictureFormat::Svg, size, {},
                     [&](QPainter& painter) { render(painter, QRect(QPoint(0, 0), size), MapDrawing::Picture); });
    } catch (const FileError& e) {
        throw MapError(e.what());
    }
}

} // namespace daxo::platform
