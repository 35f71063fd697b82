#include "layer_choice.h"

#include "platform/names.h"
#include "query/locality_clauses.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace daxo::maps {

namespace {

using daxo::platform::upperCase;

constexpr int kMigracao = 14;
constexpr std::array kRegionNames = {"NORTE", "NORDESTE", "CENTRO-OESTE", "SUL", "SUDESTE"};
// Indicators whose age groups may be mapped together (their values add up).
constexpr std::array kAgeSumIndicators = {0, 9, 11};

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The code as a number, -1 when it is not all digits (or too long to be one).
long long codeNumber(const std::string& code)
{
    if (code.empty() || code.size() > 15 || !std::all_of(code.begin(), code.end(), [](unsigned char c) {
            return std::isdigit(c);
        }))
        return -1;
    return std::stoll(code);
}

bool isWholeLevel(const std::string& code)
{
    return code == query::kAllStates || code == query::kAllRegions || code == query::kAllMunicipalities;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (auto p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
        text.replace(p, from.size(), to);
    return text;
}

} // namespace

std::optional<std::string> recusaMapa(const MapChoice& choice)
{
    if (choice.names.empty() || choice.codes.empty())
        return "Escolha uma Localidade";
    if (choice.indicator == kMigracao)
        return "Não é possível a visualização das informações de migração no formato de mapa";
    if (contains(choice.names.front(), "Rural") || contains(choice.names.front(), "Urbano"))
        return "Saída em mapa não é permitida para as localidades urbanas e rurais";
    if (choice.names.size() > 1)
        return "A saída do MAPA é permitida apenas para uma localidade por vez. Escolha somente uma localidade.";
    if (choice.census != "1991" && choice.census != "2000")
        return "Escolha somente um censo - 1991 ou 2000";
    if (choice.QtdFaixas > 1 && std::find(kAgeSumIndicators.begin(), kAgeSumIndicators.end(), choice.indicator) ==
                                    kAgeSumIndicators.end())
        return "Escolha somente uma faixa etária";
    return std::nullopt;
}

std::string limpatexto(const std::string& texto)
{
    std::string kept;
    for (std::size_t p = 0; p < texto.size(); ++p) {
        if (texto.compare(p, 3, " do") == 0)
            p += 3;
        if (texto.compare(p, 3, " de") == 0)
            p += 3;
        if (p < texto.size())
            kept += texto[p];
    }
    std::erase(kept, ' ');
    for (const auto& [from, to] : {std::pair{"ã", "a"}, {"á", "a"}, {"í", "i"}, {"ô", "o"}})
        kept = replaceAll(kept, from, to);
    return kept;
}

LayerChoice escolheCamada(const std::string& sel, const std::string& code, const StateNameLookup& pegaNome)
{
    LayerChoice choice;
    MapState& s = choice.state;
    choice.runCode = code;
    const std::string upper = upperCase(sel);
    if (upper == "BRASIL") {
        s.NomeCamada = limpatexto(sel);
        s.MapaNacional = true;
    } else if (sel == "Regiões" || std::find(kRegionNames.begin(), kRegionNames.end(), upper) != kRegionNames.end()) {
        s.NomeCamada = "REGIOES";
        s.NivelRegiao = s.MapaNacional = true;
    } else if (code == query::kAllMunicipalities || code == query::kAllStates) {
        s.NomeCamada = "ESTADOS";
        s.MapaNacional = true;
    } else {
        s.NomeCamada = "ind_" + limpatexto(sel);
        s.NomeCamadaMicro = code + "MI2500G";
    }

    if (codeNumber(code) > 53 && !isWholeLevel(code)) {
        s.NivelMicro = code.size() == 5;
        s.NivelMunicipio = code.size() == 6;
        const std::string state = code.substr(0, 2);
        s.NomeCamada = "ind_" + limpatexto(pegaNome(code));
        s.NomeCamadaMicro = state + "MI2500G";
        choice.runCode = state;
    }
    return choice;
}

} // namespace daxo::maps
