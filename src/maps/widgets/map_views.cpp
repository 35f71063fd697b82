#include "map_views.h"

#include "maps/map_classes.h"

#include <array>

namespace daxo::maps {

namespace {
const std::array<Visao, 2> kVisoesEstado = {{{"tempmapam", 6}, {"tempmapa", 1}}};
const std::array<Visao, 3> kVisoesNacionais = {{{"brmapa", 1}, {"tempmapa", 0}, {"mumapa", 1}}};
}

const Visao& visao(bool nacional, int item)
{
    return nacional ? kVisoesNacionais.at(item) : kVisoesEstado.at(item);
}

int itemInicial(const MapState& state, const std::string& primeiroCodigo, int atual)
{
    if (!state.PrimeiraExibicaoMapa)
        return atual;
    if (state.MapaNacional)
        return state.NivelRegiao ? 0 : primeiroCodigo == "12345678" ? 1 : 2;
    return state.NivelMicro ? 0 : atual;
}

std::string textoTopo(const std::string& legenda, const std::string& censo, const std::string& localidade)
{
    return "Filtro:" + legenda + " - Censo: " + censo + "\r" + localidade;
}

std::string textoIdentificacao(const std::string& nome, int indicador, double valor)
{
    return nome + "-" + formataValor(indicador, valor);
}

} // namespace daxo::maps
