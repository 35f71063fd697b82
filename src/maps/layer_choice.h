#pragma once
// Which map layers a query is drawn on: the refusals of the map output and
// the layer names chosen from the first chosen locality.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace daxo::maps {

// The map state the map window reads after the preparation.
struct MapState {
    std::string NomeCamada;        // layer being prepared; REGIOES for national maps at the end
    std::string NomeCamadaMicro;   // microregion layer, empty when none
    bool MapaNacional = false;     // country, region(s) or all states / municipalities
    bool NivelRegiao = false;
    bool NivelMicro = false;
    bool NivelMunicipio = false;
    bool PrimeiraExibicaoMapa = false;
};

// What the map output is asked to draw.
struct MapChoice {
    int indicator = 0;
    std::string census;                 // cbCenso text
    std::vector<std::string> names;     // cbSelecao
    std::vector<std::string> codes;     // cbSelecaoCodigo
    int QtdFaixas = 0;
};

// The message of the first refusal that applies, before any file is touched.
std::optional<std::string> recusaMapa(const MapChoice& choice);

// A locality name as the base of its layer name: "Mato Grosso do Sul" ->
// "MatoGrossoSul", "Rio de Janeiro" -> "RioJaneiro".
std::string limpatexto(const std::string& texto);

// The state name of the first two characters of a code (PegaNome).
using StateNameLookup = std::function<std::string(const std::string& code)>;

// Layers for the first chosen locality (`sel`, `code`). A microregion or a
// municipality is drawn on its state's layers: `runCode` then holds the
// state code the runner computes instead of the chosen one.
struct LayerChoice {
    MapState state;
    std::string runCode;
};
LayerChoice escolheCamada(const std::string& sel, const std::string& code, const StateNameLookup& pegaNome);

} // namespace daxo::maps
