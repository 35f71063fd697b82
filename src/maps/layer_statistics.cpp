#include "layer_statistics.h"

#include "map_files.h"
#include "platform/data_module.h"
#include "platform/dbf_table.h"
#include "platform/file_lookup.h"
#include "platform/names.h"
#include "platform/safe_files.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <system_error>

namespace daxo::maps {

namespace fs = std::filesystem;
using daxo::platform::findPath;

namespace {

// A value column's name goes into the statement as it stands.
void checkColumnName(const std::string& coluna)
{
    const bool plain = !coluna.empty() && std::all_of(coluna.begin(), coluna.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_';
    });
    if (!plain)
        throw std::runtime_error("Coluna de valores inválida para o mapa: " + coluna);
}

// The "t" copy, with a fresh index file on the field the view orders by.
fs::path copiaOrdenada(const fs::path& programa, const fs::path& layer, const std::string& campoOrdem)
{
    const fs::path copy = findPath(programa / ("t" + layer.filename().string()));
    daxo::platform::copyFileSafely(layer, copy);
    daxo::platform::DbfTable::noteFileChanged(copy);
    std::error_code error;
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

std::vector<double> valoresPositivos(daxo::platform::DataModule& dm, const fs::path& programa,
                                     const std::string& arquivoCamada, const std::string& coluna,
                                     const std::string& campoOrdem)
{
    checkColumnName(coluna);
    const fs::path layer = findPath(programa / arquivoCamada);
    if (!fs::is_regular_file(layer))
        throw std::runtime_error("A camada do mapa não foi encontrada: " + layer.string());
    const fs::path copy = copiaOrdenada(programa, layer, campoOrdem);

    auto& q = dm.Query6;
    q.close();
    q.clearSql();
    q.addLine(" Select * from " + daxo::platform::sqlIdentifier(copy.string()));
    q.addLine(" where " + coluna + " is not null and " + coluna + " > 0 ");
    q.addLine(" order by " + coluna);
    q.open();
    std::vector<double> out;
    for (q.first(); !q.eof(); q.next())
        out.push_back(q.field(coluna).asFloat());
    q.close();
    return out;
}

} // namespace daxo::maps
