#pragma once
// Pieces the bar chart's drawing shares: fonts, colours, label lines, and
// the frame around the plot (title, footer, legend).
#include "platform/bar_chart_model.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QStringList>

#include <string>

class QPainter;

namespace daxo::platform::chart_drawing {

inline constexpr double kMinFontPixels = 6;

QColor toQColor(const ChartColour& c);
QFont pixelFont(double pixels, bool bold = false);
// A label's lines: '\r', '\n' and "\r\n" all break.
QStringList labelLines(const std::string& text);
double widestLine(const QFontMetricsF& metrics, const QStringList& lines);

// Title lines on top, footer lines at the bottom, then the legend on its
// side; each returns the area left.
QRectF drawTextLines(QPainter& p, QRectF area, const BarChartModel& model);
QRectF drawLegend(QPainter& p, QRectF area, const BarChartModel& model);

} // namespace daxo::platform::chart_drawing
