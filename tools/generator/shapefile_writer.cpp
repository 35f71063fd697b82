#include "shapefile_writer.h"

#include <shapefil.h>

#include <stdexcept>

namespace daxo::generator {

void writeTable(const std::filesystem::path& file, const LayerTable& table)
{
    platform::DbfTable dbf = platform::DbfTable::create(file, table.fields);
    for (const auto& row : table.rows) {
        const std::size_t record = dbf.appendRecord();
        for (std::size_t f = 0; f < row.size(); ++f)
            dbf.setValue(record, static_cast<int>(f), row[f]);
    }
    dbf.save();
}

void writePolygonLayer(const std::filesystem::path& base, const std::vector<Shape>& shapes,
                       const LayerTable& table)
{
    if (shapes.size() != table.rows.size())
        throw std::runtime_error("Camada com número de feições diferente do de registros: " + base.string());
    const std::string basePath = base.string();
    SHPHandle shp = SHPCreate(basePath.c_str(), SHPT_POLYGON);
    if (!shp) throw std::runtime_error("Não foi possível gravar a camada " + basePath);
    for (const Shape& shape : shapes) {
        std::vector<int> partStarts;
        std::vector<double> xs, ys;
        for (const Ring& ring : shape) {
            partStarts.push_back(static_cast<int>(xs.size()));
            for (const Point& p : ring) { xs.push_back(p.x); ys.push_back(p.y); }
            xs.push_back(ring.front().x);  // shapefile rings repeat their first vertex
            ys.push_back(ring.front().y);
        }
        SHPObject* object = SHPCreateObject(SHPT_POLYGON, -1, static_cast<int>(partStarts.size()),
                                            partStarts.data(), nullptr, static_cast<int>(xs.size()),
                                            xs.data(), ys.data(), nullptr, nullptr);
        const int written = SHPWriteObject(shp, -1, object);
        SHPDestroyObject(object);
        if (written < 0) {
            SHPClose(shp);
            throw std::runtime_error("Não foi possível gravar a camada " + basePath);
        }
    }
    SHPClose(shp);
    writeTable(std::filesystem::path(basePath + ".dbf"), table);
}

} // namespace daxo::generator
