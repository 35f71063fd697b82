#include "selection_map_rules.h"

#include <array>
#include <string_view>

namespace daxo::localities {

MapHighlight highlightRenderer(const platform::MapLayer& layer, const std::string& field, const std::string& valor,
                            std::uint32_t cor, std::uint32_t outline)
{
    platform::StringList values;
    MapHighlight h;
    for (platform::Recordset rows = layer.records(); !rows.eof(); rows.moveNext()) {
        values.add(rows.text(field));
        (values.item(values.count() - 1) == valor ? h.inside : h.outside) += 1;
    }
    h.renderer = std::make_shared<platform::ValueMapRenderer>();
    h.renderer->field = field;
    h.renderer->setValueCount(values.count());
    for (int i = 0; i < values.count(); ++i) {
        const bool lit = values.item(i) == valor;
        h.renderer->setValue(i, values.item(i));
        platform::Symbol& s = h.renderer->symbol(i);
        s.fillColour = lit ? cor : 0xFFFFFF;
        s.outlineColour = outline;
        s.emphasis = lit ? 10 : 0;
        s.outlineWidth = 1;
    }
    return h;
}

std::string municipioStatus(const std::string& current, const MapHighlight& h)
{
    if (h.inside > 0)
        return "Microrregião de " + current + " - " + std::to_string(h.inside) + " Municípios";
    return current + " - " + std::to_string(h.outside) + " Municípios (Censo 2000)";
}

std::string labelField(const std::string& codigoLocal, const std::string& camadaAtual)
{
    constexpr std::array<std::string_view, 7> national = {"0", "1", "2", "3", "4", "5", "101"};
    for (std::string_view code : national)
        if (codigoLocal == code)
            return "NAME2_";
    return camadaAtual == "Estados" ? "NAME2_" : "NAME1_";
}

} // namespace daxo::localities
