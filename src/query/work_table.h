#pragma once
// The work table Temp.dbf: its creation for the current indicator rows and
// the pruning of the columns the cross-selection does not ask for.
#include <span>
#include <string>
#include <vector>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::query {

// The value columns in row order: CampoLinha[i] of each row i that has a
// condition.
std::vector<std::string> valueColumns(std::span<const std::string> filtroLinha,
                                      std::span<const std::string> campoLinha);

std::string createTempStatement(bool withAge, const std::vector<std::string>& columns);
std::string dropTempStatement();

// Columns to drop, from the table's value columns in order and the requested
// columns (CamposPedidos).
std::vector<std::string> columnsToExclude(const std::vector<std::string>& tableColumns,
                                          std::span<const std::string> camposPedidos);

// " ALTER TABLE TEMP    DROP Mas, DROP Fem"; empty when nothing is listed.
std::string dropColumnsStatement(const std::vector<std::string>& camposExcluir);

// Deletes an existing Bases/Temp.dbf and creates it again; when that fails,
// drops and creates once more, then raises the permission message.
void CriaTemp(daxo::platform::DataModule& dm, bool withAge, const std::vector<std::string>& columns);

// SelecionaCamposExcluir and ApagaCamposTemp together; a failure while reading
// the columns prunes nothing.
void pruneTemp(daxo::platform::DataModule& dm, bool withAge, std::span<const std::string> camposPedidos);

} // namespace daxo::query
