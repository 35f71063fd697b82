#pragma once
// The data module: one engine session over the installation's data folder and
// the scratch query and table objects every subsystem borrows, each closing
// and clearing an object before reuse.
#include "engine.h"

namespace daxo::platform {

struct DataModule {
    explicit DataModule(std::filesystem::path dataFolder)
        : SessionDAXO(std::move(dataFolder)) {}

    Session SessionDAXO;
    Query qryDinSistema{SessionDAXO};
    Query qryTemp{SessionDAXO};
    Query Query1{SessionDAXO};
    Query Query2{SessionDAXO};
    Query Query3{SessionDAXO};
    Query Query4{SessionDAXO};
    Query Query5{SessionDAXO};
    Query Query6{SessionDAXO};
    Table Table1{SessionDAXO};
    Table Table2{SessionDAXO};
    Table Table3{SessionDAXO};
};

} // namespace daxo::platform
