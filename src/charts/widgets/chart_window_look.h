#pragma once
// Colours and flat backgrounds of the chart windows.
#include "charts/widgets/chart_tools.h"

#include <QColor>
#include <QWidget>

namespace daxo::charts {

inline QColor qcolour(const platform::ChartColour& c)
{
    return QColor(c.red, c.green, c.blue);
}

inline const QColor kAzulClaro = qcolour(fromBgr(13545034));   // detail panel
inline const QColor kAzulBarra = qcolour(fromBgr(12096038));   // bottom bar

inline void paintFlat(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace daxo::charts
