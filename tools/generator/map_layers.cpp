#include "map_layers.h"

#include "shapefile_writer.h"
#include "text.h"

#include <cstdio>

namespace daxo::generator {
namespace {

using platform::DbfField;
using platform::FieldType;
using platform::Value;

DbfField text(const char* name, int length) { return {name, FieldType::Character, length, 0}; }

// The value columns v01..v09 that the map output fills; 0 until then.
void addValueColumns(LayerTable& table)
{
    for (int i = 1; i <= 9; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "v%02d", i);
        table.fields.push_back({name, FieldType::Numeric, 18, 2});
    }
}

void addValues(std::vector<Value>& row)
{
    for (int i = 0; i < 9; ++i) row.emplace_back(0.0);
}

// The selection map reads the set's own table, the map output the "i" table;
// both carry the same fields.
void writeWithValueTable(const std::filesystem::path& dir, const std::string& base,
                         const std::vector<Shape>& shapes, const LayerTable& table, int& files)
{
    writePolygonLayer(dir / base, shapes, table);
    writeTable(dir / ("i" + base + ".dbf"), table);
    files += 4;
}

void writeNational(const Atlas& atlas, const std::filesystem::path& dir, int& files)
{
    LayerTable country;
    country.fields = {text("ID", 10), text("NAME1_", 40), text("NAME2_", 40), text("REGDESC", 20)};
    addValueColumns(country);
    std::vector<Value> row{"0", "Brasil", "Brasil", ""};
    addValues(row);
    country.rows.push_back(row);
    writeWithValueTable(dir, "Brasil", {atlas.country}, country, files);

    LayerTable regions;
    regions.fields = country.fields;
    for (std::size_t r = 0; r < atlas.regions.size(); ++r) {
        const RegionInfo& info = atlas.regions[r];
        std::vector<Value> regionRow{info.code, info.name, info.mapValue, info.mapValue};
        addValues(regionRow);
        regions.rows.push_back(regionRow);
    }
    writeWithValueTable(dir, "Regioes", atlas.regionOutlines, regions, files);

    // The state name first: the map window shows field 0 of this layer.
    LayerTable states;
    states.fields = {text("NAME1_", 40), text("ID", 10), text("NAME2_", 40), text("REGDESC", 20), text("SIGLA", 2)};
    addValueColumns(states);
    std::vector<Shape> stateShapes;
    for (const AtlasState& s : atlas.states) {
        stateShapes.push_back(s.outline);
        std::vector<Value> stateRow{s.info.name, s.info.uf, s.info.mapValue,
                                    atlas.regions[s.region].mapValue, s.info.sigla};
        addValues(stateRow);
        states.rows.push_back(stateRow);
    }
    writeWithValueTable(dir, "Estados", stateShapes, states, files);

    LayerTable municipalities;
    municipalities.fields = {text("ID_", 10), text("NAME1_", 60), text("NAME2_", 40), text("REGDESC", 20),
                             text("MICRO", 6)};
    addValueColumns(municipalities);
    std::vector<Shape> municipalityShapes;
    for (const Municipality& m : atlas.municipalities) {
        const AtlasState& s = atlas.states[m.state];
        municipalityShapes.push_back(m.shape);
        std::vector<Value> munRow{m.code, m.name, s.info.mapValue, atlas.regions[s.region].mapValue,
                                  atlas.microregions[m.microregion].mapId};
        addValues(munRow);
        municipalities.rows.push_back(munRow);
    }
    writeWithValueTable(dir, "MUNICIPIOS", municipalityShapes, municipalities, files);
}

void writeStateLayers(const Atlas& atlas, const AtlasState& state, const std::filesystem::path& dir, int& files)
{
    const std::string region = atlas.regions[state.region].mapValue;

    // Municipalities: name at 1 and their microregion at 2, as the selection
    // map's identification shows them.
    LayerTable municipalities;
    municipalities.fields = {text("ID_", 10), text("NAME1_", 60), text("NOME_MICRO", 60), text("MICRO", 6),
                             text("REGDESC", 20)};
    addValueColumns(municipalities);
    std::vector<Shape> municipalityShapes;
    for (int index : state.municipalities) {
        const Municipality& m = atlas.municipalities[index];
        const Microregion& micro = atlas.microregions[m.microregion];
        municipalityShapes.push_back(m.shape);
        std::vector<Value> row{m.code, m.name, micro.name, micro.mapId, region};
        addValues(row);
        municipalities.rows.push_back(row);
    }
    writeWithValueTable(dir, state.info.layerFile, municipalityShapes, municipalities, files);

    // Microregions: the map window reads the name at position 6.
    LayerTable micros;
    micros.fields = {text("ID_", 10), text("GEOCODIGO", 10), text("MICRO", 6), text("UF", 2), text("SIGLA", 2),
                     text("REGDESC", 20), text("NOME", 60)};
    addValueColumns(micros);
    std::vector<Shape> microShapes;
    for (int index : state.microregions) {
        const Microregion& micro = atlas.microregions[index];
        microShapes.push_back(micro.shape);
        std::vector<Value> row{micro.code, micro.code, micro.mapId, state.info.uf, state.info.sigla, region,
                               capitalsWithoutAccents(micro.name)};
        addValues(row);
        micros.rows.push_back(row);
    }
    writePolygonLayer(dir / (state.info.uf + "MI2500G"), microShapes, micros);
    files += 3;
}

} // namespace

int writeMapLayers(const Atlas& atlas, const std::filesystem::path& mapsDir)
{
    int files = 0;
    std::filesystem::create_directories(mapsDir / "Estados");
    writeNational(atlas, mapsDir, files);
    for (const AtlasState& state : atlas.states) writeStateLayers(atlas, state, mapsDir / "Estados", files);
    return files;
}

} // namespace daxo::generator
