// Drawing of a bar chart: layout of title, legend, axis labels and walls,
// then the bars back to front, their marks and the category labels.
#include "platform/bar_chart.h"
#include "platform/bar_chart_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace daxo::platform {
namespace {

using namespace chart_drawing;

// How the category labels go: font, and turned upright when too wide.
struct CategoryLabels {
    QFont font;
    bool rotated = false;
    double height = 0;   // room below the plot
};

CategoryLabels layoutCategories(const BarChartModel& model, double groupWidth, double maxHeight)
{
    CategoryLabels result;
    double widest = 0;
    int mostLines = 1;
    for (double pixels = 11; pixels >= kMinFontPixels; --pixels) {
        result.font = pixelFont(pixels);
        const QFontMetricsF metrics(result.font);
        widest = 0;
        mostLines = 1;
        for (int c = 0; c < model.categoryCount(); ++c) {
            const QStringList lines = labelLines(model.categoryLabel(c));
            widest = std::max(widest, widestLine(metrics, lines));
            mostLines = std::max(mostLines, static_cast<int>(lines.size()));
        }
        if (widest <= groupWidth * 0.95 || pixels <= 8)
            break;
    }
    const QFontMetricsF metrics(result.font);
    if (widest > groupWidth * 0.95) {
        result.rotated = true;
        // Upright lines stand side by side; shrink until they fit the group.
        double pixels = result.font.pixelSize();
        while (pixels > kMinFontPixels && QFontMetricsF(result.font).height() * mostLines > groupWidth) {
            result.font = pixelFont(--pixels);
        }
        double upright = 0;
        for (int c = 0; c < model.categoryCount(); ++c)
            upright = std::max(upright, widestLine(QFontMetricsF(result.font), labelLines(model.categoryLabel(c))));
        result.height = std::min(upright + 6, maxHeight);
    } else {
        result.height = metrics.height() * mostLines + 4;
    }
    return result;
}

// The value axis: round steps, labels on the left, lines on the walls.
struct ValueScale {
    AxisRange range;
    double step = 1;
    QFont font = pixelFont(10);
};

std::vector<double> scaleValues(const ValueScale& scale)
{
    std::vector<double> values;
    const double first = std::ceil(scale.range.minimum / scale.step - 1e-9) * scale.step;
    for (double v = first; v <= scale.range.maximum + scale.step * 1e-9 && values.size() < 200; v += scale.step)
        values.push_back(std::fabs(v) < scale.step * 1e-9 ? 0 : v);
    return values;
}

class Drawing {
public:
    Drawing(QPainter& p, const BarChartModel& model) : p_(p), model_(model) {}

    PlotFrame draw(QRectF area);

private:
    double xOf(double position) const
    {
        return frame_.front.left() + (position - frame_.horizontal.minimum) /
                                         (frame_.horizontal.maximum - frame_.horizontal.minimum) *
                                         frame_.front.width();
    }
    double yOf(double value) const
    {
        return frame_.front.bottom() - (value - frame_.vertical.minimum) /
                                           (frame_.vertical.maximum - frame_.vertical.minimum) *
                                           frame_.front.height();
    }
    void drawWalls(const ValueScale& scale);
    void drawBars();
    void drawBar(BarPlace place, double x0, double x1, QPointF offset, QPointF depth);
    double layoutMarks();
    void drawMarks();
    void drawCategoryLabels(const CategoryLabels& labels);

    struct BarSlot {
        double x0, x1;
        QPointF offset;
        QPointF depth;
        int row;
    };
    BarSlot slotOf(int series, int category) const;

    QPainter& p_;
    const BarChartModel& model_;
    PlotFrame frame_;
    QRectF area_;
    QPointF depth_;   // from the front plane to the back wall
    double groupWidth_ = 0;
    int sideCount_ = 0;
    int rows_ = 1;
    QFont markFont_;
    bool marksUpright_ = false;
};

PlotFrame Drawing::draw(QRectF area)
{
    area_ = area;
    frame_.horizontal = model_.range(Axis::Bottom);
    frame_.vertical = model_.range(Axis::Left);
    if (frame_.horizontal.maximum <= frame_.horizontal.minimum)
        frame_.horizontal.maximum = frame_.horizontal.minimum + 1;
    if (frame_.vertical.maximum <= frame_.vertical.minimum)
        frame_.vertical.maximum = frame_.vertical.minimum + 1;

    ValueScale scale{frame_.vertical, niceStep(frame_.vertical.maximum - frame_.vertical.minimum, 8)};
    const QFontMetricsF axisMetrics(scale.font);
    double axisWidth = 0;
    for (double v : scaleValues(scale))
        axisWidth = std::max(axisWidth, axisMetrics.horizontalAdvance(QString::fromStdString(chartNumber(v))));

    const auto& view = model_.view;
    // An oblique view: rotation turns the depth from the right (360) to
    // straight up (270), elevation tilts it.
    const double turn = view.orthogonal ? 0 : (360 - std::clamp(view.rotation, 270, 360)) * std::numbers::pi / 180;
    const double tilt = std::clamp(360 - view.elevation, 0, 90) * std::numbers::pi / 180;
    const double depth = view.enabled ? std::min(area.width(), area.height()) * 0.4 * view.depthPercent / 100 : 0;
    depth_ = QPointF(depth * std::cos(turn), -depth * std::sin(tilt));

    const double categories = frame_.horizontal.maximum - frame_.horizontal.minimum;
    const double plotWidth = area.width() - axisWidth - 8 - depth_.x() - 6;
    groupWidth_ = plotWidth / categories;
    sideCount_ = 0;
    rows_ = 1;
    for (const auto& s : model_.series())
        (s.layout == BarLayout::Side ? sideCount_ : rows_) += 1;
    const double markRoom = layoutMarks();
    const CategoryLabels labels = layoutCategories(model_, groupWidth_, area.height() * 0.4);

    frame_.front = QRectF(QPointF(area.left() + axisWidth + 8, area.top() + markRoom - depth_.y()),
                          QPointF(area.right() - depth_.x() - 6, area.bottom() - labels.height));
    if (frame_.front.height() < 10)
        frame_.front.setTop(frame_.front.bottom() - 10);

    drawWalls(scale);
    drawBars();
    drawMarks();
    drawCategoryLabels(labels);
    return frame_;
}

void Drawing::drawWalls(const ValueScale& scale)
{
    const QRectF& f = frame_.front;
    const QRectF back = f.translated(depth_);
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(QColor(128, 128, 128));
    p_.setBrush(Qt::white);
    p_.drawPolygon(QPolygonF({f.topLeft(), back.topLeft(), back.bottomLeft(), f.bottomLeft()}));
    p_.drawPolygon(QPolygonF({f.bottomLeft(), f.bottomRight(), back.bottomRight(), back.bottomLeft()}));
    p_.drawRect(back);
    p_.setFont(scale.font);
    const QFontMetricsF metrics(scale.font);
    for (double v : scaleValues(scale)) {
        const double y = yOf(v);
        p_.setPen(QColor(200, 200, 200));
        p_.drawLine(QPointF(f.left(), y), QPointF(f.left(), y) + depth_);
        p_.drawLine(QPointF(f.left(), y) + depth_, QPointF(f.right(), y) + depth_);
        p_.setPen(Qt::black);
        p_.drawText(QRectF(0, y - metrics.height() / 2, f.left() - 4, metrics.height()),
                    Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(chartNumber(v)));
    }
    p_.drawLine(f.topLeft(), f.bottomLeft());
}

Drawing::BarSlot Drawing::slotOf(int series, int category) const
{
    // Side-by-side series share the front row; each "behind" series has its
    // own row further back, as wide as the group.
    int sideIndex = 0, row = 0;
    for (int i = 0; i < series; ++i)
        (model_.series()[i].layout == BarLayout::Side ? sideIndex : row) += 1;
    const bool side = model_.series()[series].layout == BarLayout::Side;
    const QPointF rowDepth = depth_ / rows_;
    const double centre = xOf(category), width = groupWidth_ * 0.8;
    double x0 = centre - width / 2, x1 = centre + width / 2;
    if (side) {
        const double bar = width / std::max(1, sideCount_);
        x0 += bar * sideIndex;
        x1 = x0 + bar;
        row = 0;
    } else {
        row += 1;
    }
    return {x0, x1, rowDepth * row, rowDepth, row};
}

void Drawing::drawBars()
{
    const QRectF& f = frame_.front;
    QPainterPath clip;
    clip.addPolygon(QPolygonF({f.bottomLeft(), f.topLeft(), f.topLeft() + depth_, f.topRight() + depth_,
                               f.bottomRight() + depth_, f.bottomRight(), f.bottomLeft()}));
    p_.save();
    p_.setClipPath(clip);
    // Back rows first, and left to right so each bar hides the side of the one before.
    for (int row = rows_ - 1; row >= 0; --row)
        for (int c = 0; c < model_.categoryCount(); ++c)
            for (int s = 0; s < model_.seriesCount(); ++s) {
                const BarSlot slot = slotOf(s, c);
                if (slot.row == row)
                    drawBar({s, c}, slot.x0, slot.x1, slot.offset, slot.depth);
            }
    p_.restore();
}

void Drawing::drawBar(BarPlace place, double x0, double x1, QPointF offset, QPointF depth)
{
    const BarSeries& series = model_.series()[place.series];
    const int index = place.category;
    if (index >= static_cast<int>(series.values.size()) || !series.values[index] ||
        !std::isfinite(*series.values[index]))
        return;
    const auto [lowest, highest] = frame_.vertical;
    const double base = std::clamp(0.0, lowest, highest);
    const double value = *series.values[index];
    // Only the part of the bar within the axis range shows; a bar wholly
    // below or above it shows nothing, rather than a slab on the floor.
    const double top = std::min(std::max(value, base), highest), bottom = std::max(std::min(value, base), lowest);
    if (top == bottom && value != base)
        return;
    const bool cutAtTop = std::max(value, base) > highest;
    const double yTop = yOf(top), yBottom = yOf(bottom);
    const QColor colour = toQColor(series.colour);
    const QRectF front = QRectF(QPointF(x0, yTop), QPointF(x1, yBottom)).translated(offset);
    const bool outlined = front.width() >= 4;
    // Thin bars stay shallow so that a crowded chart does not turn into slabs.
    const double deepest = std::max(front.width(), 3.0);
    const double length = std::hypot(depth.x(), depth.y());
    if (length > deepest)
        depth *= deepest / length;
    p_.setPen(outlined ? QPen(Qt::black, 0) : QPen(Qt::NoPen));
    if (depth.x() != 0 || depth.y() != 0) {
        if (!cutAtTop) {
            p_.setBrush(colour.lighter(125));
            p_.drawPolygon(
                QPolygonF({front.topLeft(), front.topRight(), front.topRight() + depth, front.topLeft() + depth}));
        }
        p_.setBrush(colour.darker(130));
        p_.drawPolygon(QPolygonF({front.topRight(), front.topRight() + depth, front.bottomRight() + depth,
                                  front.bottomRight()}));
    }
    p_.setBrush(colour);
    p_.drawRect(front);
    frame_.bars.push_back({place, QPolygonF({front.bottomLeft(), front.topLeft(), front.topLeft() + depth,
                                             front.topRight() + depth, front.bottomRight() + depth,
                                             front.bottomRight()})});
}

// Marks stand level at the largest size from 10 down to 8 pixels that fits
// a bar's place, else upright at the largest size whose line fits it, else
// upright at 8 pixels, each drawn only where it overlaps no mark already
// drawn. Returns the room they need above the plot.
double Drawing::layoutMarks()
{
    constexpr int kLargest = 10, kSmallest = 8;
    int longestArrow = 0;
    for (const auto& s : model_.series())
        if (s.marksVisible)
            longestArrow = std::max(longestArrow, s.arrowLength);
    const auto widestAt = [&](const QFont& font) {
        const QFontMetricsF metrics(font);
        double widest = 0;
        for (const auto& s : model_.series())
            if (s.marksVisible)
                for (const auto& v : s.values)
                    if (v)
                        widest =
                            std::max(widest, metrics.horizontalAdvance(QString::fromStdString(model_.markText(*v))) + 6);
        return widest;
    };
    const double place = groupWidth_ / std::max(1, sideCount_);
    const auto fits = [&](bool upright) {
        for (int pixels = kLargest; pixels >= kSmallest; --pixels) {
            markFont_ = pixelFont(pixels);
            if ((upright ? QFontMetricsF(markFont_).height() + 2 : widestAt(markFont_)) <= place)
                return true;
        }
        return false;
    };
    marksUpright_ = !fits(false);
    if (marksUpright_ && !fits(true))
        markFont_ = pixelFont(kSmallest);
    const double widest = widestAt(markFont_);
    if (widest == 0)
        return 6;
    return longestArrow + (marksUpright_ ? widest : QFontMetricsF(markFont_).height() + 2) + 4;
}

void Drawing::drawMarks()
{
    const QFontMetricsF metrics(markFont_);
    const QRectF& f = frame_.front;
    p_.save();
    // The plot and the room reserved above it.
    p_.setClipRect(QRectF(QPointF(f.left(), area_.top()), QPointF(f.right() + depth_.x(), f.bottom())));
    p_.setRenderHint(QPainter::Antialiasing, true);
    p_.setFont(markFont_);
    std::vector<QRectF> placed;
    for (int c = 0; c < model_.categoryCount(); ++c) {
        for (int s = 0; s < model_.seriesCount(); ++s) {
            const BarSeries& series = model_.series()[s];
            if (!series.marksVisible || c >= static_cast<int>(series.values.size()) || !series.values[c] ||
                !std::isfinite(*series.values[c]))
                continue;
            const double value = *series.values[c];
            const BarSlot slot = slotOf(s, c);
            const QPointF foot = QPointF((slot.x0 + slot.x1) / 2, yOf(value)) + slot.offset + slot.depth / 2;
            // Bars scrolled out of the plot or beyond the value range keep
            // their marks to themselves.
            if (value < frame_.vertical.minimum || value > frame_.vertical.maximum || foot.x() < f.left() ||
                foot.x() > f.right() + depth_.x())
                continue;
            const double direction = value < 0 ? 1 : -1;
            const QPointF tip = foot + QPointF(0, direction * series.arrowLength);
            const QString text = QString::fromStdString(model_.markText(value));
            const QSizeF size(metrics.horizontalAdvance(text) + 6, metrics.height() + 2);
            QTransform at;
            at.translate(tip.x(), tip.y());
            if (marksUpright_)
                at.rotate(-90);
            const QRectF box = marksUpright_
                                   ? QRectF(QPointF(value < 0 ? -size.width() : 0, -size.height() / 2), size)
                                   : QRectF(QPointF(-size.width() / 2, value < 0 ? 0 : -size.height()), size);
            const QRectF onScreen = at.mapRect(box);
            // Marks that merely touch still read apart.
            const QRectF inner = onScreen.adjusted(1, 1, -1, -1);
            if (std::any_of(placed.begin(), placed.end(), [&](const QRectF& r) { return r.intersects(inner); }))
                continue;
            placed.push_back(onScreen);
            p_.setPen(QPen(QColor(128, 128, 128), 0));
            p_.drawLine(foot, tip);
            p_.save();
            p_.setTransform(at, true);
            p_.setBrush(Qt::white);
            p_.drawRect(box);
            p_.setPen(Qt::black);
            p_.drawText(box, Qt::AlignCenter, text);
            p_.restore();
        }
    }
    p_.restore();
}

void Drawing::drawCategoryLabels(const CategoryLabels& labels)
{
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, true);
    // Groups scrolled out of the plot lose their labels too.
    p_.setClipRect(QRectF(frame_.front.left(), frame_.front.bottom(), frame_.front.width() + depth_.x(),
                          labels.height + 1));
    p_.setFont(labels.font);
    p_.setPen(Qt::black);
    const QFontMetricsF metrics(labels.font);
    const double top = frame_.front.bottom() + 3;
    for (int c = 0; c < model_.categoryCount(); ++c) {
        const double centre = xOf(c);
        if (centre < frame_.front.left() || centre > frame_.front.right())
            continue;
        const QStringList lines = labelLines(model_.categoryLabel(c));
        if (!labels.rotated) {
            for (int i = 0; i < lines.size(); ++i)
                p_.drawText(QRectF(centre - groupWidth_ / 2, top + i * metrics.height(), groupWidth_, metrics.height()),
                            Qt::AlignHCenter | Qt::AlignTop, lines[i]);
            continue;
        }
        // Upright, read from the bottom, each line beside the one before.
        const double span = labels.height - 4;
        for (int i = 0; i < lines.size(); ++i) {
            p_.save();
            p_.translate(centre + (i - (lines.size() - 1) / 2.0) * metrics.height(), top);
            p_.rotate(-90);
            p_.drawText(QRectF(-span, -metrics.height() / 2, span, metrics.height()), Qt::AlignRight | Qt::AlignVCenter,
                        metrics.elidedText(lines[i], Qt::ElideRight, span));
            p_.restore();
        }
    }
    p_.restore();
}

} // namespace

PlotFrame paintBarChart(QPainter& painter, const QRectF& area, const BarChartModel& model)
{
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QRectF rest = drawTextLines(painter, area.adjusted(4, 4, -4, -4), model);
    rest = drawLegend(painter, rest, model);
    const PlotFrame frame = Drawing(painter, model).draw(rest);
    painter.restore();
    return frame;
}

} // namespace daxo::platform
