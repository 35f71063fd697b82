#pragma once
// The tables of one census under Bases/: the definition table
// Indicadores<census>.dbf and the matrix tables its records name, in pairs
// <name>mi.dbf (country, regions, states and their urban and rural parts,
// microregions) and <name>mu.dbf (the same without microregions, with the
// municipalities), plus the migration pair.
#include "atlas.h"
#include "population_model.h"

#include "indicators/definition.h"

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::generator {

// Where one definition's column lives.
struct ColumnPlacement {
    indicators::Definition definition;
    std::string column;        // CODIGO of the definition record
    std::string tableMi;       // "pop2000mi.dbf"
    std::string tableMu;       // "pop2000mu.dbf"
};

// Packs the definitions into table pairs of at most `maxValueColumns` value
// columns, keeping the definitions that differ only in age (the terms of one
// indicator row) in the same pair.
std::vector<ColumnPlacement> placeColumns(const std::vector<indicators::Definition>& definitions, int census,
                                          std::size_t maxValueColumns);

// The definitions that get a record of their own: a dBASE text keeps no
// trailing blanks, so texts that differ only there share one record.
std::vector<indicators::Definition> storableDefinitions(const std::vector<indicators::Definition>& definitions);

struct CensusTablesSummary {
    std::size_t definitions = 0;
    std::size_t tables = 0;            // matrix tables (files), both members of each pair
};

CensusTablesSummary writeCensusTables(const Atlas& atlas, const CensusModel& model,
                                      const std::vector<indicators::Definition>& definitions,
                                      const std::filesystem::path& basesDir);

} // namespace daxo::generator
