#pragma once
// Writes one polygon layer: the shapefile set (.shp/.shx) and the attribute
// table beside it, one record per feature in the same order.
#include "geometry.h"

#include "platform/dbf_table.h"
#include "platform/value.h"

#include <filesystem>
#include <vector>

namespace daxo::generator {

struct LayerTable {
    std::vector<platform::DbfField> fields;
    std::vector<std::vector<platform::Value>> rows;   // one per feature
};

// Writes <base>.shp, <base>.shx and <base>.dbf. Throws std::runtime_error
// when a file cannot be written.
void writePolygonLayer(const std::filesystem::path& base, const std::vector<Shape>& shapes,
                       const LayerTable& table);

// Writes a dBASE table with the given fields and rows.
void writeTable(const std::filesystem::path& file, const LayerTable& table);

} // namespace daxo::generator
