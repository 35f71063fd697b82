#pragma once
// The highlight map of a single region, microregion or municipality: which
// features are yellow, which row holds the value the legend shows, and the
// fields to label them with.
#include <cstdint>
#include <string>

namespace daxo::maps {

inline constexpr std::uint32_t kCorDestaque = 0xFFFF00;
inline constexpr std::uint32_t kCorFundo = 0xFFFFFF;
inline constexpr std::uint32_t kCorContorno = 0x808080;
inline constexpr const char* kMunicipioInexistente = "Município Inexistente em 1991";

// Capitals of the ASCII letters only, then í, ã, á, Â, â, ó, õ, Õ, é, ê, ú
// replaced by their plain capitals ("São José" -> "SAO JOSE").
std::string RetiraAcentos(const std::string& texto);

struct DestaqueEntrada {
    std::string sel;    // first chosen locality's text
    std::string code;   // its code
    bool NivelRegiao = false;
    bool NivelMicro = false;
    bool NivelMunicipio = false;
    int rdVisao = 0;        // item chosen in rdVisao (0 microregions, 1 municipalities)
    int rdVisao2 = -1;      // item chosen in rdVisao2, -1 when it is hidden
};

struct Destaque {
    std::string alvo;         // the key text of the yellow features
    bool rdVisaoVisivel = false;
    std::string filtro;       // search for the row whose value is shown
    bool mostraValor = false; // false: the legend shows no value (a microregion seen by municipality)
    // A region seen by state or municipality: its value lies in the regions
    // layer, the layer on show has none.
    bool valorDasRegioes = false;
    std::string campoChave;   // value-map field
    std::string campoRotulo;  // label placer field
};

Destaque escolheDestaque(const DestaqueEntrada& e);

// The single value's legend text: the value itself when positive, else the
// notice that the municipality did not exist in 1991. `ehValor` tells which.
std::string textoValorUnico(int indicador, double valor, bool& ehValor);

} // namespace daxo::maps
