#pragma once
// The indicator values in the map layers' attribute tables: v01..v09 of
// each feature, cleared before a map and written from the matrix table the
// query read.
#include "layer_choice.h"
#include "query/query_runner.h"

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::maps {

// The name of the state whose code is the first two characters of `code`;
// empty when the table has none.
std::string PegaNome(daxo::platform::DataModule& dm, const std::string& code);

// Sets v01..v09 to 0 in the layer's attribute table and in the microregion
// layer's, if any.
void ZeraValoresCamada(daxo::platform::DataModule& dm, const std::filesystem::path& programa, const MapState& state);

// Per feature of the layer (and of the microregion layer), the value of
// column i is the sum of the matrix columns of ColunasMapa[i - 1] ("+"
// between them) at the feature's code, read from the table that holds them.
// TabelaMatriz is a municipal matrix table ("pop2000mu.dbf"); the
// microregions read its "mi" twin.
void GravaValoresCamada(daxo::platform::DataModule& dm, const std::filesystem::path& programa, const MapState& state,
                        const std::vector<query::MapaTabela>& tabelas);

} // namespace daxo::maps
