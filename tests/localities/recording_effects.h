#pragma once
// Side effects of the locality selection, written down for the tests.
#include "localities/locality_selection.h"

#include <functional>
#include <string>
#include <vector>

namespace daxo::localities::testing {

struct RecordingEffects : SelectionEffects {
    struct Call {
        std::string routine, valor, camada;
        std::uint32_t cor;
    };

    void Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t cor) override
    {
        if (failingLayer == camada)
            throw std::runtime_error("layer missing");
        calls.push_back({"Pintaqui", valor, camada, cor});
    }
    void PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t cor) override
    {
        calls.push_back({"PintaquiEstado", valor, camada, cor});
    }
    void setTreeHint(const std::string& text) override { hint = text; }
    void showChosenList() override { ++listShown; }
    void openMunicipalityChooser(const State& state, const std::string& caption) override
    {
        chooserOpened.push_back(caption + "/" + std::string(state.uf));
        if (chooser)
            chooser(state);
    }
    void selectionTouched() override { ++touched; }
    void rebuildCaption() override { ++captions; }
    int indicatorIndex() const override { return indicator; }
    void untickShowNames() override { ++untick; }
    void setMapToolbarVisible(bool visible) override { toolbar = visible; }

    const Call& last() const { return calls.back(); }

    std::vector<Call> calls;
    std::string hint, failingLayer;
    std::vector<std::string> chooserOpened;
    std::function<void(const State&)> chooser;
    int listShown = 0, touched = 0, captions = 0, untick = 0, indicator = 0;
    bool toolbar = false;
};

} // namespace daxo::localities::testing
