#include "definition_lookup.h"

namespace daxo::indicators {

void BuscaIndicador(platform::Query& Query1, const std::string& Ano, const std::string& Condicao)
{
    const std::string failure = "Houve um erro de sistema na procura do indicador -> \r" + Condicao;
    Query1.close();
    Query1.clearSql();
    // The year names a table and its columns; nothing else may reach the statement.
    if (Ano != "1991" && Ano != "2000") throw IndicatorLookupError(failure);
    Query1.addLine("SELECT CODIGO, INDICADOR, TAB_MI" + Ano + ", TAB_MU" + Ano + " FROM Indicadores" + Ano + ".dbf ");
    if (!Condicao.empty()) Query1.addLine(" WHERE " + Condicao);
    try {
        Query1.open();
    } catch (const std::exception&) {
        Query1.close();
        throw IndicatorLookupError(failure);
    }
    if (Query1.eof()) {
        Query1.close();
        throw IndicatorLookupError(failure);
    }
    Query1.first();
}

} // namespace daxo::indicators
