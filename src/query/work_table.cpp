#include "work_table.h"

#include "platform/data_module.h"
#include "platform/file_lookup.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace daxo::query {

namespace {

bool requested(const std::string& column, std::span<const std::string> camposPedidos)
{
    return std::any_of(camposPedidos.begin(), camposPedidos.end(), [&](const std::string& p) {
        return !p.empty() && (p == column || p == column + "Total" || p == "Total" + column || p == "total" + column);
    });
}

void run(daxo::platform::Query& query, const std::string& statement)
{
    query.close();
    query.clearSql();
    query.addLine(statement);
    query.execute();
}

} // namespace

std::vector<std::string> valueColumns(std::span<const std::string> filtroLinha,
                                      std::span<const std::string> campoLinha)
{
    std::vector<std::string> columns;
    for (std::size_t i = 0; i < filtroLinha.size() && i < campoLinha.size(); ++i)
        if (!filtroLinha[i].empty() && !campoLinha[i].empty())
            columns.push_back(campoLinha[i]);
    return columns;
}

std::string createTempStatement(bool withAge, const std::vector<std::string>& columns)
{
    std::string statement =
        withAge ? " CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), Idade Character(50),  Codigo Character(06) "
                : " CREATE TABLE \"Temp.dbf\" ( Censo Character(10),  Localidade Character(254), Codigo Character(06) ";
    for (const auto& column : columns)
        statement += " , " + column + "  Decimal(10,2) ";
    return statement + ");";
}

std::string dropTempStatement() { return " drop table \"temp.dbf\" "; }

std::vector<std::string> columnsToExclude(const std::vector<std::string>& tableColumns,
                                          std::span<const std::string> camposPedidos)
{
    std::vector<std::string> excluded;
    bool masSeen = false;
    bool femSeen = false;
    for (const auto& column : tableColumns) {
        bool kept = requested(column, camposPedidos);
        if (column == "Mas")
            masSeen = true;
        if (column == "Fem")
            femSeen = true;
        // The all-colour sex cells repeat the plain sex columns.
        if ((column == "TotalFem" && femSeen) || (column == "TotalMas" && masSeen))
            kept = false;
        if (!kept)
            excluded.push_back(column);
    }
    return excluded;
}

std::string dropColumnsStatement(const std::vector<std::string>& camposExcluir)
{
    if (camposExcluir.empty())
        return {};
    std::string statement = " ALTER TABLE TEMP   ";
    for (std::size_t i = 0; i < camposExcluir.size(); ++i)
        statement += (i > 0 ? "," : "") + std::string(" DROP ") + camposExcluir[i];
    return statement;
}

void CriaTemp(daxo::platform::DataModule& dm, bool withAge, const std::vector<std::string>& columns)
{
    auto& query1 = dm.Query1;
    const auto existing = daxo::platform::findPath(dm.SessionDAXO.dataFolder() / "Temp.DBF");
    if (daxo::platform::fileExists(existing)) {
        query1.close();
        query1.clearSql();
        std::error_code ignored;
        std::filesystem::remove(existing, ignored);
    }
    const std::string create = createTempStatement(withAge, columns);
    try {
        run(query1, create);
    } catch (const daxo::platform::EngineError&) {
        try {
            run(query1, dropTempStatement());
        } catch (const daxo::platform::EngineError&) {
            // A missing table is what a failed creation usually leaves.
        }
        try {
            run(query1, create);
        } catch (const daxo::platform::EngineError&) {
            throw std::runtime_error(
                " Erro no arquivo temporário temp.dbf - Pode estar sendo gerado por falta de permissão na pasta "
                "daxo\\bases\rConsulte o administrador da sua rede");
        }
    }
}

void pruneTemp(daxo::platform::DataModule& dm, bool withAge, std::span<const std::string> camposPedidos)
{
    auto& query1 = dm.Query1;
    std::vector<std::string> tableColumns;
    try {
        query1.close();
        query1.clearSql();
        query1.addLine("SELECT * FROM TEMP");
        query1.open();
        for (int i = withAge ? 4 : 3; i < query1.fieldCount(); ++i)
            tableColumns.push_back(query1.fieldName(i));
        query1.close();
    } catch (const daxo::platform::EngineError&) {
        query1.close();
        return;
    }
    const std::string statement = dropColumnsStatement(columnsToExclude(tableColumns, camposPedidos));
    if (statement.empty())
        return;
    try {
        run(query1, statement);
    } catch (const daxo::platform::EngineError&) {
        throw std::runtime_error("Problema para apagar o campo " + statement);
    }
}

} // namespace daxo::query
