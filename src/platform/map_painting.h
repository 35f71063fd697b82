#pragma once
// Paints a map's layers within an extent into any device: the window, a
// printer or a picture file.
#include "map_layer.h"

#include <QRectF>

class QPainter;

namespace daxo::platform {

// On the screen outlines stay one pixel wide at every zoom, which vector
// files can only ask of their readers, and several ignore it; pictures get
// their shapes placed in page units first, so every reader draws the
// outlines as thin as the window does.
enum class MapDrawing { Screen, Picture };

// `extent` widened to the shape of `target`, as it is drawn there.
MapRectangle viewOf(const MapRectangle& extent, const QRectF& target);
// Draws the visible layers, the last of the list first, clipped to `target`.
void paintLayers(QPainter& painter, const MapLayers& layers, const MapRectangle& extent, const QRectF& target,
                 MapDrawing drawing);

} // namespace daxo::platform
