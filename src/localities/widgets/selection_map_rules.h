#pragma once
// What the selection map decides without drawing: the highlight renderer of
// a layer, the status text of a state, the field the names come from.
#include "platform/map_layer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace daxo::localities {

struct MapHighlight {
    std::shared_ptr<platform::ValueMapRenderer> renderer;
    int inside = 0;    // rows whose field equals the value
    int outside = 0;
};

// One value per row of `layer` (in row order) on `field`; the value equal to
// `valor` takes `cor`, the others white, all outlined in `outline`.
MapHighlight highlightRenderer(const platform::MapLayer& layer, const std::string& field, const std::string& valor,
                            std::uint32_t cor, std::uint32_t outline);

// LabelMunicipio after a state highlight.
std::string municipioStatus(const std::string& current, const MapHighlight& h);

// "NAME1_" for the municipalities of a state layer, "NAME2_" for regions and
// states.
std::string labelField(const std::string& codigoLocal, const std::string& camadaAtual);

} // namespace daxo::localities
