#pragma once
// The map as a picture for a paper: the map as the window shows it, with the
// query caption as title, the census and indicator, the legend with the
// class limits and colours, a scale bar, a north arrow and the source note.
#include "platform/image_files.h"
#include "platform/map_layer.h"

#include <QSize>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class QPainter;

namespace daxo::maps {

struct ItemLegendaFigura {
    std::uint32_t cor = 0;   // 0xRRGGBB
    bool temCor = true;      // a row of text only (a warning) has none
    std::string texto;
};

struct FiguraMapa {
    platform::MapLayers camadas;       // shared with the window they came from
    platform::MapRectangle extensao;   // what the window showed
    std::string titulo;                // the query caption
    std::string censo;
    std::string localidade;
    std::string indicador;             // the value column on show
    std::vector<ItemLegendaFigura> legenda;
};

// A4 landscape at 96 dpi.
inline constexpr QSize kTamanhoFigura{1123, 794};

// The longest round length (1, 2 or 5 times a power of ten, in km) that fits
// in `maxPixels` of a map drawn `kmPorPixel` to the pixel, and its length in
// pixels.
struct BarraEscala {
    double km = 0;
    double pixels = 0;
};
BarraEscala barraEscala(double kmPorPixel, double maxPixels);
// Kilometres per pixel across the middle of `view` (degrees of longitude
// and latitude) drawn `larguraPixels` wide.
double kmPorPixel(const platform::MapRectangle& view, double larguraPixels);

void desenhaFigura(QPainter& painter, QSize tamanho, const FiguraMapa& figura);
// Writes the picture as PNG, SVG or PDF by the file's extension; throws in
// Portuguese for another extension or when it cannot be written.
void gravaFigura(const std::filesystem::path& arquivo, const FiguraMapa& figura);

} // namespace daxo::maps
