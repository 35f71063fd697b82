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

} // namespace daxo::query
