#pragma once
// The map output (bt_MapaClick up to opening the map window): refuses what
// cannot be mapped, clears and fills the layers' values through the query
// runner, copies the working layers and lists the indicator columns.
#include "layer_choice.h"

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::query {
class QueryRunner;
struct RowSet;
}

namespace daxo::maps {

// A refusal of the map output, shown as it stands.
class MapRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the map window starts from.
struct MapWindowData {
    MapState state;
    int indicator = 0;
    std::string sel;      // first chosen locality's text
    std::string code;     // and its code, as chosen
    std::filesystem::path programa;
    std::vector<std::string> RadioGroup1;   // display label of each indicator column
    std::vector<std::string> RadioGroup2;   // its layer value column, "v01" ..
};

struct MapRequest {
    MapChoice choice;   // its QtdFaixas is taken from the rows
    const query::RowSet* rows = nullptr;
    std::filesystem::path programa;   // program folder, holding Mapas/ and Bases/
};

struct MapHooks {
    std::function<void(bool)> aguarde;                        // shows or hides the waiting panel
    std::function<void(const MapWindowData&)> abreJanela;     // opens the map window modally
};

// Throws MapRefusal for a query that cannot be mapped (nothing touched), and
// the errors of the engine and the runner; what was written before stays.
void bt_MapaClick(daxo::platform::DataModule& dm, query::QueryRunner& runner, const MapRequest& request,
                  const MapHooks& hooks);

// The indicator list of the map window from the work table's value columns.
void listaIndicadores(daxo::platform::DataModule& dm, const query::RowSet& rows, MapWindowData& data);

} // namespace daxo::maps
