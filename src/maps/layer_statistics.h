#pragma once
// What the class map reads of the working layer besides the statistics the
// map component gives: the positive values of a value column in ascending
// order, from the layer's "t" copy, so the layer itself stays untouched.
#include <filesystem>
#include <string>
#include <vector>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::maps {

// The fields the view choice orders and labels by: rdVisao (shown) item 0
// microregions, item 1 municipalities; else rdVisao2 items 0 and 1 by name
// of region or state, item 2 by municipality. Empty when neither applies.
struct CamposVisao {
    std::string ordem;
    std::string rotulo;
};
CamposVisao camposVisao(bool rdVisaoVisivel, int rdVisao, int rdVisao2);

// `arquivoCamada` is the working layer's table in the program folder
// ("tempmapa.dbf"), `coluna` the value column ("v01"), `campoOrdem` the
// field the copy's index file gets (camposVisao).
std::vector<double> valoresPositivos(daxo::platform::DataModule& dm, const std::filesystem::path& programa,
                                     const std::string& arquivoCamada, const std::string& coluna,
                                     const std::string& campoOrdem);

} // namespace daxo::maps
