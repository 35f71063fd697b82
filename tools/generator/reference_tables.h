#pragma once
// The lookup tables under Bases/: UF.DBF (state codes and abbreviations),
// NivelGeograficoUF.dbf (states with name and region) and Municipios2000.dbf
// (the municipality chooser's list).
#include "atlas.h"

#include <filesystem>

namespace daxo::generator {

// Returns the number of files written.
int writeReferenceTables(const Atlas& atlas, const std::filesystem::path& basesDir);

} // namespace daxo::generator
