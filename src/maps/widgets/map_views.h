#pragma once
// The map window's views: which working layer each "Visão Espacial" item
// shows, which view a map opens on, and the texts of the window.
#include "maps/layer_choice.h"

#include <string>

namespace daxo::maps {

struct Visao {
    std::string camada;    // working layer ("tempmapa")
    int posicaoNome = 0;   // field position of the feature name
    std::string arquivo() const { return camada + ".dbf"; }   // ArquivoCamadaAtual
};

// rdVisao2 (a national map) or rdVisao (a state), item `item`.
const Visao& visao(bool nacional, int item);

// The item a view group starts on: `atual` unless this is the first showing,
// which picks regions for a single region, states for all states, else
// municipalities; a microregion opens on its microregions.
int itemInicial(const MapState& state, const std::string& primeiroCodigo, int atual);

// "Filtro:" + caption + " - Censo: " + census, a carriage return, the locality.
std::string textoTopo(const std::string& legenda, const std::string& censo, const std::string& localidade);

// The feature name and its value as the identification shows them.
std::string textoIdentificacao(const std::string& nome, int indicador, double valor);

} // namespace daxo::maps
