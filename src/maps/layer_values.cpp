#include "layer_values.h"

#include "map_files.h"
#include "platform/data_module.h"
#include "platform/file_lookup.h"
#include "query/text_utils.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace daxo::maps {

namespace fs = std::filesystem;
using daxo::platform::findPath;

namespace {

std::string quotedPath(const fs::path& path)
{
    std::string text = path.string();
    for (auto p = text.find('\''); p != std::string::npos; p = text.find('\'', p + 2))
        text.insert(p, 1, '\'');
    return "'" + text + "'";
}

fs::path existingTable(const fs::path& table, const std::string& what)
{
    if (!fs::is_regular_file(table))
        throw std::runtime_error("A tabela " + what + " não foi encontrada: " + table.string());
    return table;
}

void zeraTabela(daxo::platform::DataModule& dm, const fs::path& table)
{
    auto& q = dm.Query2;
    q.close();
    q.clearSql();
    q.addLine(" update " + quotedPath(existingTable(table, "da camada do mapa")));
    q.addLine(" set v01 = 0, v02= 0, v03=0, v04 = 0 , v05 = 0, v06 = 0, v07 = 0 , v08 = 0 , v09 = 0 ");
    q.execute();
}

// Opens `table` on `table` ordered by `tag`, creating the index file first
// when it is missing.
void abreComIndice(daxo::platform::Table& table, const fs::path& file, const std::string& tag)
{
    fs::path mdx = file;
    mdx.replace_extension(".MDX");
    if (!daxo::platform::fileExists(mdx))
        CriaIndiceDBF(file, tag);
    mdx = findPath(mdx);
    table.close();
    table.setPath(file);
    table.setIndexFile(mdx);
    table.setIndexName(tag);
    table.open();
}

std::vector<std::string> splitColumns(const std::string& list)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto end = std::min(list.find('+', start), list.size());
        std::string name = list.substr(start, end - start);
        std::erase_if(name, [](unsigned char c) { return std::isspace(c); });
        if (!name.empty())
            out.push_back(name);
        start = end + 1;
    }
    return out;
}

// Closes both tables however the transfer ends.
struct TablesClosed {
    daxo::platform::DataModule& dm;
    ~TablesClosed()
    {
        dm.Table1.close();
        dm.Table2.close();
    }
};

void transfere(daxo::platform::DataModule& dm, const fs::path& matrix, const fs::path& layer, const std::string& key,
               const std::array<std::string, 11>& colunasMapa)
{
    TablesClosed closed{dm};
    abreComIndice(dm.Table1, existingTable(matrix, "de valores do mapa"), "CODIGO");
    abreComIndice(dm.Table2, existingTable(layer, "da camada do mapa"), key);
    std::array<std::vector<std::string>, 11> columns;
    for (std::size_t i = 0; i < columns.size(); ++i)
        columns[i] = splitColumns(colunasMapa[i]);

    auto& values = dm.Table1;
    auto& features = dm.Table2;
    for (values.first(); !values.eof(); values.next()) {
        if (!features.findKey(values.field("CODIGO").asString()))
            continue;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i].empty())
                continue;
            double sum = 0;
            for (const auto& column : columns[i])
                sum += values.field(column).asFloat();
            features.setField("V" + query::PreencheZeros(static_cast<int>(i) + 1, 2), sum);
        }
        features.post();
    }
}

} // namespace

std::string PegaNome(daxo::platform::DataModule& dm, const std::string& code)
{
    const std::string state = code.substr(0, 2);
    auto& q = dm.Query1;
    try {
        // Only digits reach the statement.
        if (state.empty() || !std::all_of(state.begin(), state.end(), [](unsigned char c) { return std::isdigit(c); }))
            throw std::invalid_argument(state);
        q.close();
        q.clearSql();
        q.addLine(" select nome from nivelgeograficouf.dbf");
        q.addLine(" where codigo = '" + state + "'");
        q.open();
        const std::string nome = q.eof() ? "" : q.field("NOME").asString();
        q.close();
        return nome;
    } catch (const std::exception&) {
        q.close();
        throw std::runtime_error("Problema ao pegar o nome na função pega nome");
    }
}

void ZeraValoresCamada(daxo::platform::DataModule& dm, const fs::path& programa, const MapState& state)
{
    zeraTabela(dm, tabelaAtributos(programa, state.NomeCamada));
    if (!state.NomeCamadaMicro.empty())
        zeraTabela(dm, tabelaMicro(programa, state.NomeCamadaMicro));
}

void GravaValoresCamada(daxo::platform::DataModule& dm, const fs::path& programa, const MapState& state,
                        const std::vector<query::MapaTabela>& tabelas)
{
    if (tabelas.empty())
        throw std::runtime_error("A consulta não indicou a tabela de valores do mapa.");
    const fs::path bases = programa / "bases";
    for (const auto& [tabelaMatriz, colunasMapa] : tabelas) {
        if (tabelaMatriz.size() <= 6)
            throw std::runtime_error("A consulta não indicou a tabela de valores do mapa.");
        const std::string stem = tabelaMatriz.substr(0, tabelaMatriz.size() - 4);
        transfere(dm, findPath(bases / (stem + ".dbf")), tabelaAtributos(programa, state.NomeCamada),
                  campoChave(state.NomeCamada), colunasMapa);
        if (!state.NomeCamadaMicro.empty()) {
            const std::string micro = tabelaMatriz.substr(0, tabelaMatriz.size() - 6) + "mi.dbf";
            transfere(dm, findPath(bases / micro), tabelaMicro(programa, state.NomeCamadaMicro), "ID_", colunasMapa);
        }
    }
}

} // namespace daxo::maps
