#pragma once
// Map1 (country, regions, states) and Map2 (the state layers) in the map
// area of the locality page, with the tool bar Panel2 wired to them.
#include "locality_page.h"

#include "platform/map_control.h"
#include "selection_map_rules.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace daxo::localities {

class LocalityPageWidget;

class SelectionMapWidget : public SelectionMap {
public:
    using Runner = std::function<void(const std::function<void()>&)>;
    // `codigoLocal` reads the code of the node last handled; `run` performs
    // a tool-bar action and shows its error (a printer that fails).
    SelectionMapWidget(LocalityPageWidget& page, std::function<std::string()> codigoLocal, Runner run);

    // Loads the three national layers into Map1 and the 27 state layers into
    // Map2 from the installation folder. A missing or unreadable file is
    // skipped; the files skipped are returned, each with "(não encontrado)"
    // or "(corrompido)".
    std::vector<std::string> loadLayers(const std::filesystem::path& installation);

    void Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t cor) override;
    void PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t cor) override;
    void ckMostrarMunicipioClick(bool ticked) override;

    void btVisualTotalClick();
    void btZoomMaisClick() { zoom(0.8); }
    void btZoomMenosClick() { zoom(1.2); }
    void btImpMapaClick();
    void MapMouseDown(platform::MapControl& map);
    void Map2MouseMove(int x, int y);

    platform::MapControl* Map1 = nullptr;
    platform::MapControl* Map2 = nullptr;
    const std::string& CamadaAtual() const { return camadaAtual_; }

    // The questions and the printer, replaceable by tests.
    std::function<bool(const QString&)> confirm;
    std::function<void(const QString&)> inform;
    std::function<void(platform::MapControl&, const std::string& documentName)> print;

private:
    platform::MapControl& visibleMap() { return Map2->isVisible() ? *Map2 : *Map1; }
    // `camada` alone made visible on `shown`, which replaces `hidden`.
    platform::MapLayer& showLayer(platform::MapControl& shown, platform::MapControl& hidden, const std::string& camada);
    MapHighlight highlight(platform::MapControl& map, platform::MapLayer& layer, const std::string& field,
                           const std::string& valor, std::uint32_t cor, std::uint32_t outline);
    void zoom(double factor);
    void identify(int x, int y);
    void connectToolbar();

    LocalityPageWidget& page_;
    std::function<std::string()> codigoLocal_;
    Runner run_;
    std::string camadaAtual_;
    std::shared_ptr<platform::ValueMapRenderer> highlight_;
};

// The message naming the map files that could not be loaded, empty when
// all were.
std::string missingMapsMessage(const std::vector<std::string>& missing);

} // namespace daxo::localities
