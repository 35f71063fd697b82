#pragma once
// BuscaIndicador: the definition records that match one indicator row's
// condition, left open on the query for the runner.
#include "platform/engine.h"

#include <stdexcept>
#include <string>

namespace daxo::indicators {

class IndicatorLookupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens on Query1 "SELECT CODIGO, INDICADOR, TAB_MI<Ano>, TAB_MU<Ano> FROM
// Indicadores<Ano>.dbf" restricted by Condicao (a FiltroLinha or
// FiltroLinhaIdade entry), positioned on the first record. Throws
// IndicatorLookupError when nothing matches or the statement fails.
void BuscaIndicador(platform::Query& Query1, const std::string& Ano, const std::string& Condicao);

} // namespace daxo::indicators
