#include "highlight.h"

#include "map_classes.h"
#include "platform/names.h"

#include <array>
#include <utility>

namespace daxo::maps {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 11> kAccents = {{
    {"í", "I"}, {"ã", "A"}, {"á", "A"}, {"Â", "A"}, {"â", "A"}, {"ó", "O"},
    {"õ", "O"}, {"Õ", "O"}, {"é", "E"}, {"ê", "E"}, {"ú", "U"},
}};

// A text inside single quotes of a filter; names such as "Pingo-d'Água".
std::string literal(const std::string& text) { return daxo::platform::sqlLiteral(text); }

} // namespace

std::string RetiraAcentos(const std::string& texto)
{
    std::string out = daxo::platform::upperCase(texto);
    for (const auto& [from, to] : kAccents) {
        const std::string f = from;
        for (auto p = out.find(f); p != std::string::npos; p = out.find(f, p + 1))
            out.replace(p, f.size(), to);
    }
    return out;
}

Destaque escolheDestaque(const DestaqueEntrada& e)
{
    Destaque d;
    const bool porMunicipio = e.rdVisao == 1;
    const bool porRegiaoDescrita = e.rdVisao2 == 1 || e.rdVisao2 == 2;
    d.alvo = RetiraAcentos(e.sel);
    d.rdVisaoVisivel = e.NivelMicro || !(e.NivelMunicipio || e.NivelRegiao);
    if (porMunicipio && e.NivelMicro && e.code.size() >= 2)
        d.alvo = e.code.substr(0, 2) + "0" + e.code.substr(2);
    if (e.NivelMunicipio)
        d.alvo = e.sel;

    // The region stays painted in every view, so its value stays in the legend.
    if (e.NivelRegiao)
        d.filtro = " NAME2_ = " + literal(RetiraAcentos(d.alvo));
    else if (e.NivelMicro)
        d.filtro = " NOME = " + literal(RetiraAcentos(d.alvo));
    else
        d.filtro = " NAME1_ = " + literal(d.alvo);
    d.mostraValor = !porMunicipio || e.NivelMunicipio || e.NivelRegiao;
    d.valorDasRegioes = e.NivelRegiao && porRegiaoDescrita;

    d.campoChave = e.NivelRegiao ? "NAME2_" : e.NivelMicro ? "NOME" : "NAME1_";
    if (porMunicipio && e.NivelMicro)
        d.campoChave = "MICRO";
    if (porRegiaoDescrita && e.NivelRegiao)
        d.campoChave = "REGDESC";
    d.campoRotulo = e.NivelRegiao ? "NAME2_" : e.NivelMicro && !porMunicipio ? "NOME" : "NAME1_";
    return d;
}

std::string textoValorUnico(int indicador, double valor, bool& ehValor)
{
    ehValor = valor > 0;
    return ehValor ? formataValor(indicador, valor) : kMunicipioInexistente;
}

} // namespace daxo::maps
