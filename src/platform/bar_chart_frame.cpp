#include "platform/bar_chart_drawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace daxo::platform::chart_drawing {

QColor toQColor(const ChartColour& c)
{
    return QColor(c.red, c.green, c.blue);
}

QFont pixelFont(double pixels, bool bold)
{
    QFont font("Arial");
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setBold(bold);
    return font;
}

QStringList labelLines(const std::string& text)
{
    QString s = QString::fromStdString(text);
    s.replace("\r\n", "\n").replace('\r', '\n');
    return s.split('\n');
}

double widestLine(const QFontMetricsF& metrics, const QStringList& lines)
{
    double widest = 0;
    for (const auto& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

QRectF drawTextLines(QPainter& p, QRectF area, const BarChartModel& model)
{
    const QFont title = pixelFont(13, true);
    const QFont footer = pixelFont(11);
    const double titleHeight = QFontMetricsF(title).height();
    const double footerHeight = QFontMetricsF(footer).height();
    p.setPen(toQColor(model.titleColour));
    p.setFont(title);
    // A long query caption wraps instead of losing both ends.
    const QFontMetricsF metrics(title);
    for (const auto& line : model.titleLines)
        for (const auto& part : labelLines(line)) {
            const QRectF bounds(area.left(), area.top(), area.width(), 10 * titleHeight);
            const double height =
                std::max(titleHeight, metrics.boundingRect(bounds, Qt::AlignHCenter | Qt::TextWordWrap, part).height());
            p.drawText(QRectF(area.left(), area.top(), area.width(), height), Qt::AlignHCenter | Qt::TextWordWrap, part);
            area.setTop(area.top() + height);
        }
    p.setPen(Qt::black);
    p.setFont(footer);
    for (auto it = model.footerLines.rbegin(); it != model.footerLines.rend(); ++it) {
        area.setBottom(area.bottom() - footerHeight);
        p.drawText(QRectF(area.left(), area.bottom(), area.width(), footerHeight), Qt::AlignCenter,
                   QString::fromStdString(*it));
    }
    return area;
}

namespace {

struct LegendEntry {
    QString text;
    QColor colour;
};

} // namespace

QRectF drawLegend(QPainter& p, QRectF area, const BarChartModel& model)
{
    if (!model.legendVisible || model.series().empty())
        return area;
    std::vector<LegendEntry> entries;
    for (const auto& s : model.series())
        entries.push_back({QString::fromStdString(s.title), toQColor(s.colour)});
    const bool vertical = model.legendPosition == LegendPosition::Left ||
                          model.legendPosition == LegendPosition::Right;
    double pixels = 11;
    QFont font = pixelFont(pixels);
    // Shrink until a vertical legend fits the height.
    while (vertical && pixels > kMinFontPixels &&
           QFontMetricsF(font).height() * entries.size() + 8 > area.height()) {
        font = pixelFont(--pixels);
    }
    const QFontMetricsF metrics(font);
    const double swatch = std::max(6.0, metrics.height() * 0.7), line = metrics.height();
    double textWidth = 0;
    for (const auto& e : entries)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(e.text));
    const double entryWidth = std::min(swatch + 4 + textWidth, area.width() * 0.3);
    QRectF box;
    std::vector<QPointF> positions;
    if (vertical) {
        const QSizeF size(entryWidth + 12, line * entries.size() + 8);
        const double x = model.legendPosition == LegendPosition::Left ? area.left() + 4
                                                                       : area.right() - size.width() - 4;
        box = QRectF(QPointF(x, area.top() + (area.height() - size.height()) / 2), size);
        for (std::size_t i = 0; i < entries.size(); ++i)
            positions.emplace_back(box.left() + 6, box.top() + 4 + i * line);
        if (model.legendPosition == LegendPosition::Left)
            area.setLeft(box.right() + 6);
        else
            area.setRight(box.left() - 6);
    } else {
        const double cell = entryWidth + 12;
        const int perRow = std::max(1, static_cast<int>((area.width() - 12) / cell));
        const int rows = (static_cast<int>(entries.size()) + perRow - 1) / perRow;
        const int columns = std::min<int>(perRow, static_cast<int>(entries.size()));
        const QSizeF size(columns * cell + 8, rows * line + 8);
        const double y = model.legendPosition == LegendPosition::Top ? area.top() + 2
                                                                      : area.bottom() - size.height() - 2;
        box = QRectF(QPointF(area.left() + (area.width() - size.width()) / 2, y), size);
        for (std::size_t i = 0; i < entries.size(); ++i)
            positions.emplace_back(box.left() + 6 + (i % perRow) * cell, box.top() + 4 + (i / perRow) * line);
        if (model.legendPosition == LegendPosition::Top)
            area.setTop(box.bottom() + 4);
        else
            area.setBottom(box.top() - 4);
    }
    p.setPen(QColor(128, 128, 128));
    p.setBrush(Qt::white);
    p.drawRect(box);
    p.setFont(font);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QPointF at = positions[i];
        p.setPen(Qt::black);
        p.setBrush(entries[i].colour);
        p.drawRect(QRectF(at.x(), at.y() + (line - swatch) / 2, swatch, swatch));
        const QRectF textRect(at.x() + swatch + 4, at.y(), entryWidth - swatch - 4, line);
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                   metrics.elidedText(entries[i].text, Qt::ElideRight, textRect.width()));
    }
    return area;
}

} // namespace daxo::platform::chart_drawing
