#include "reference_tables.h"

#include "shapefile_writer.h"

namespace daxo::generator {

using platform::FieldType;

int writeReferenceTables(const Atlas& atlas, const std::filesystem::path& basesDir)
{
    // No CODIGO column here: the matrix queries join on UFCODIGO and would
    // otherwise meet two columns of that name.
    LayerTable uf;
    uf.fields = {{"UFCODIGO", FieldType::Character, 2, 0}, {"UFSIGLA", FieldType::Character, 2, 0}};
    LayerTable levels;
    levels.fields = {{"CODIGO", FieldType::Character, 10, 0}, {"NOME", FieldType::Character, 40, 0},
                     {"regiao", FieldType::Character, 1, 0}};
    for (const AtlasState& s : atlas.states) {
        uf.rows.push_back({s.info.uf, s.info.sigla});
        levels.rows.push_back({s.info.uf, s.info.name, s.info.regionCode});
    }
    writeTable(basesDir / "UF.DBF", uf);
    writeTable(basesDir / "NivelGeograficoUF.dbf", levels);

    LayerTable municipalities;
    municipalities.fields = {{"nome", FieldType::Character, 60, 0}, {"codigo", FieldType::Character, 6, 0},
                             {"sigla", FieldType::Character, 2, 0}};
    for (const Municipality& m : atlas.municipalities)
        municipalities.rows.push_back({m.name, m.code, atlas.states[m.state].info.sigla});
    writeTable(basesDir / "Municipios2000.dbf", municipalities);
    return 3;
}

} // namespace daxo::generator
