#include "layer_statistics.h"

#include "map_files.h"
#include "platform/data_module.h"
#include "platform/dbf_table.h"
#include "platform/file_lookup.h"
#include "platform/names.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

namespace daxo::maps {

namespace fs = std::filesystem;
using daxo::platform::findPath;

namespace {

Estatisticas estatisticas(const fs::path& table, const std::string& coluna)
{
    const auto t = daxo::platform::DbfTable::open(table);
    // Only an existing field name reaches the statement below.
    const int field = t.fieldIndex(coluna);
    if (field < 0)
        throw std::runtime_error("A camada do mapa " + table.string() + " não tem a coluna " + coluna);
    Estatisticas s;
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
        if (t.isDeleted(r))
            continue;
        const auto value = t.value(r, field).number();
        if (!value)
            continue;
        s.minimo = s.quantidade == 0 ? *value : std::min(s.minimo, *value);
        s.maximo = s.quantidade == 0 ? *value : std::max(s.maximo, *value);
        ++s.quantidade;
    }
    return s;
}

// The "t" copy, with a fresh index file on the field the view orders by.
fs::path copiaOrdenada(const fs::path& programa, const fs::path& layer, const std::string& campoOrdem)
{
    const fs::path copy = findPath(programa / ("t" + layer.filename().string()));
    std::error_code error;
    fs::copy_file(layer, copy, fs::copy_options::overwrite_existing, error);
    if (error)
        throw std::runtime_error("Não foi possível copiar a camada do mapa para " + copy.string() + ": " +
                                 error.message());
    daxo::platform::DbfTable::noteFileChanged(copy);
    fs::path mdx = copy;
    mdx.replace_extension(".MDX");
    fs::remove(findPath(mdx), error);
    if (!campoOrdem.empty()) {
        try {
            CriaIndiceDBF(copy, campoOrdem);
        } catch (const std::exception&) {
            // The order of the copy does not change the classes.
        }
    }
    return copy;
}

} // namespace

CamposVisao camposVisao(bool rdVisaoVisivel, int rdVisao, int rdVisao2)
{
    if (rdVisaoVisivel && rdVisao == 0)
        return {"GEOCODIGO", "NOME"};
    if (rdVisaoVisivel && rdVisao == 1)
        return {"ID_", "NAME1_"};
    if (rdVisao2 == 0 || rdVisao2 == 1)
        return {"NAME2_", "NAME2_"};
    if (rdVisao2 == 2)
        return {"NAME1_", "NAME1_"};
    return {};
}

ValoresCamada leValoresCamada(daxo::platform::DataModule& dm, const fs::path& programa,
                              const std::string& arquivoCamada, const std::string& coluna,
                              const std::string& campoOrdem)
{
    const fs::path layer = findPath(programa / arquivoCamada);
    if (!fs::is_regular_file(layer))
        throw std::runtime_error("A camada do mapa não foi encontrada: " + layer.string());
    ValoresCamada out{.stats = estatisticas(layer, coluna)};
    const fs::path copy = copiaOrdenada(programa, layer, campoOrdem);

    auto& q = dm.Query6;
    q.close();
    q.clearSql();
    q.addLine(" Select * from " + daxo::platform::sqlIdentifier(copy.string()));
    q.addLine(" where " + coluna + " is not null and " + coluna + " > 0 ");
    q.addLine(" order by " + coluna);
    q.open();
    for (q.first(); !q.eof(); q.next())
        out.positivos.push_back(q.field(coluna).asFloat());
    q.close();
    return out;
}

} // namespace daxo::maps
