#pragma once
// The bulk INSERT … SELECT that fills the work table when a whole level
// (all municipalities, all states, all regions) was chosen.
#include <string>
#include <vector>

namespace daxo::query {

struct WholeLevels {
    bool todosMunicipios = false;   // "999999"
    bool todasUFs = false;          // "12345678"
    bool todasRegioes = false;      // "987654321"
    bool temBrasil = false;         // "0"
};

// The lines of one census' statement: insert head, select list and the
// municipal matrix table as the runner prepared them.
std::vector<std::string> bulkInsertLines(int census, const std::string& insertHead,
                                         const std::string& selectList, const std::string& table,
                                         const WholeLevels& levels);

// A census' columns that another matrix table holds, once the first table's
// statement has inserted the rows. `ageText` is empty when the ages are
// summed.
struct BulkColumns {
    std::string table;
    std::vector<std::string> columns;
    std::vector<std::string> expressions;
};

// Fills those columns of the census' rows from the table, by code.
std::vector<std::string> bulkUpdateLines(int census, const std::string& ageText,
                                         const BulkColumns& part);

// Inserts the localities that only this table holds (the statement of
// bulkInsertLines with the rows already present left out).
std::vector<std::string> bulkInsertMissingLines(int census, const std::string& ageText, const std::string& insertHead,
                                                const std::string& selectList, const std::string& table,
                                                const WholeLevels& levels);

} // namespace daxo::query
