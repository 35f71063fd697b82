#include "map_files.h"

#include "platform/dbf_table.h"
#include "platform/engine.h"
#include "platform/file_lookup.h"
#include "platform/names.h"
#include "platform/safe_files.h"
#include "platform/shapefile.h"
#include "platform/system_errors.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace daxo::maps {

namespace fs = std::filesystem;
using daxo::platform::findPath;
using daxo::platform::upperCase;

namespace {

constexpr std::array kNationalLayers = {"BRASIL", "REGIOES", "ESTADOS", "MUNICIPIOS"};
constexpr std::array kWorkingLayers = {"Tempmapa", "Tempmapam", "brmapa", "mumapa"};
constexpr std::array kWorkingExtensions = {".DBF", ".SHP", ".SBN", ".SBX", ".SHX", ".MDX"};
constexpr std::array kShapeExtensions = {".shp", ".sbn", ".sbx", ".shx"};
// Localities whose map is national, by their text in capitals.
constexpr std::array kNationalSelections = {"BRASIL", "NORTE", "REGIõES", "NORDESTE", "CENTRO-OESTE", "SUL", "SUDESTE"};

template <std::size_t N>
bool isOneOf(const std::string& value, const std::array<const char*, N>& list)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool isNational(const std::string& nomeCamada) { return isOneOf(upperCase(nomeCamada), kNationalLayers); }

// Copies `from` over `to`; a missing source (an index file the installation
// lacks) is skipped.
void copia(const fs::path& from, const fs::path& to)
{
    const fs::path source = findPath(from);
    if (!fs::is_regular_file(source))
        return;
    const fs::path target = findPath(to);
    daxo::platform::copyFileSafely(source, target);
    daxo::platform::DbfTable::noteFileChanged(target);
}

// One working set: W.dbf and tW.dbf from the attribute table, W.mdx from
// `indexSource`, the shapefile parts from `shapeBase`.
void copiaConjunto(const fs::path& programa, const std::string& working, const fs::path& table,
                   const fs::path& indexSource, const fs::path& shapeBase)
{
    // The installed layer is named when it is missing or damaged: the map
    // window would only see its working copy.
    using daxo::platform::ShapefileFault;
    const fs::path shp = findPath(fs::path(shapeBase.string() + ".shp"));
    if (const ShapefileFault fault = daxo::platform::shapefileFault(shp); fault != ShapefileFault::None)
        throw std::runtime_error(
            daxo::platform::shapefileFaultMessage(fault, shp.lexically_relative(programa).string()));
    copia(table, programa / (working + ".dbf"));
    copia(indexSource, programa / (working + ".mdx"));
    copia(table, programa / ("t" + working + ".dbf"));
    for (const char* ext : kShapeExtensions)
        copia(fs::path(shapeBase.string() + ext), programa / (working + ext));
}

} // namespace

fs::path tabelaAtributos(const fs::path& programa, const std::string& nomeCamada)
{
    const fs::path folder = isNational(nomeCamada) ? programa / "mapas" : programa / "mapas" / "estados";
    return findPath(folder / ("i" + nomeCamada + ".dbf"));
}

fs::path tabelaMicro(const fs::path& programa, const std::string& nomeCamadaMicro)
{
    return findPath(programa / "mapas" / "estados" / (nomeCamadaMicro + ".dbf"));
}

std::string campoChave(const std::string& nomeCamada)
{
    const std::string upper = upperCase(nomeCamada);
    return upper == "BRASIL" || upper == "REGIOES" || upper == "ESTADOS" ? "ID" : "ID_";
}

void ApagaArquivosMapa(const fs::path& programa)
{
    for (const char* base : kWorkingLayers) {
        for (const char* ext : kWorkingExtensions) {
            const fs::path file = findPath(programa / (std::string(base) + ext));
            std::error_code error;
            if (fs::is_regular_file(file) && !fs::remove(file, error))
                throw std::runtime_error("Não foi possível apagar o arquivo de mapa " + file.string() + ": " +
                                         daxo::platform::systemReason(error) + ".");
            daxo::platform::DbfTable::noteFileChanged(file);
        }
    }
}

void CopiaCamadas(const fs::path& programa, const MapState& state, const std::string& sel)
{
    const std::string& camada = state.NomeCamada;
    const std::string upper = upperCase(camada);
    const std::string selUpper = upperCase(sel);
    const fs::path mapas = programa / "mapas";
    const fs::path estados = mapas / "estados";
    if (!isNational(camada) && !isOneOf(selUpper, kNationalSelections)) {
        // A state's municipalities: the index file is the one beside the shapes.
        copiaConjunto(programa, "tempmapa", estados / ("i" + camada + ".dbf"), estados / (camada + ".mdx"),
                      estados / camada);
    } else {
        const bool regional = (selUpper == "BRASIL" || upper == "BRASIL" || upper == "REGIOES") &&
                              upper != "MUNICIPIOS" && upper != "ESTADOS";
        const std::string working = regional ? "brmapa" : upper == "MUNICIPIOS" ? "mumapa" : "tempmapa";
        copiaConjunto(programa, working, mapas / ("i" + camada + ".dbf"), mapas / ("i" + camada + ".mdx"),
                      mapas / camada);
    }
    if (const std::string& micro = state.NomeCamadaMicro; !micro.empty())
        copiaConjunto(programa, "tempmapam", estados / (micro + ".dbf"), estados / (micro + ".mdx"), estados / micro);
}

bool CriaIndiceDBF(const fs::path& tabela, const std::string& campo1, const std::string& campo2,
                   const std::string& campo3)
{
    const fs::path file = findPath(tabela);
    {
        // Clears the header's production-index flag before the engine adds tags.
        std::fstream raw(file, std::ios::in | std::ios::out | std::ios::binary);
        if (!raw)
            throw std::runtime_error("Erro de entrada/saída: não foi possível abrir a tabela " + file.string());
        std::error_code error;
        if (fs::file_size(file, error) > 28) {   // a shorter file is refused by the engine below
            raw.seekp(28);
            raw.put('\0');
        }
    }
    daxo::platform::DbfTable::noteFileChanged(file);
    daxo::platform::createIndexTag(file, campo1);
    for (const std::string* campo : {&campo2, &campo3}) {
        if (campo->empty())
            continue;
        try {
            daxo::platform::createIndexTag(file, *campo);
        } catch (const std::exception&) {
            // Only the first tag is needed by every caller.
        }
    }
    return true;
}

} // namespace daxo::maps
