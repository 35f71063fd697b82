#include "engine_messages.h"

#include <array>
#include <cctype>
#include <utility>

namespace daxo::platform {

namespace {

// The engine message starts with the first text; what follows it is kept.
constexpr std::array<std::pair<const char*, const char*>, 9> kTranslations = {{
    {"no such column: ", "Coluna não encontrada: "},
    {"no such table: ", "Tabela não encontrada: "},
    {"no such function: ", "Função desconhecida: "},
    {"ambiguous column name: ", "Nome de coluna ambíguo: "},
    {"near ", "Erro de sintaxe perto de "},
    {"incomplete input", "Instrução incompleta"},
    {"unrecognized token: ", "Símbolo desconhecido: "},
    {"misuse of aggregate", "Uso indevido de função de agregação"},
    {"wrong number of arguments to function ", "Número errado de argumentos da função "},
}};

} // namespace

std::string portugueseReason(const std::string& engineMessage)
{
    for (const auto& [english, portuguese] : kTranslations) {
        const std::string prefix = english;
        if (engineMessage.rfind(prefix, 0) != 0)
            continue;
        std::string rest = engineMessage.substr(prefix.size());
        // "near "X": syntax error" keeps only the place.
        if (const auto colon = rest.rfind(": syntax error"); colon != std::string::npos)
            rest.erase(colon);
        return portuguese + rest;
    }
    // The table layer's own messages are Portuguese and start in upper case.
    if (engineMessage.empty() || !std::islower(static_cast<unsigned char>(engineMessage[0])))
        return engineMessage;
    return "Erro do mecanismo de consulta: " + engineMessage;
}

} // namespace daxo::platform
