#pragma once
// The files of the map layers in the program folder: the attribute tables
// the values go into, the index files, and the working copies the map
// window loads. Every name is looked up without regard to letter case.
#include "layer_choice.h"

#include <filesystem>
#include <string>

namespace daxo::maps {

// The attribute table of a layer: Mapas/i<layer>.dbf for the national
// layers, Mapas/estados/i<layer>.dbf for a state's municipalities.
std::filesystem::path tabelaAtributos(const std::filesystem::path& programa, const std::string& nomeCamada);
// The microregion layer's own table, Mapas/estados/<layer>.dbf.
std::filesystem::path tabelaMicro(const std::filesystem::path& programa, const std::string& nomeCamadaMicro);
// The key field of a layer's attribute table: ID for the country, regions
// and states, ID_ otherwise.
std::string campoChave(const std::string& nomeCamada);

// Deletes the working layers (tempmapa, tempmapam, brmapa, mumapa); the
// "t" copies stay.
void ApagaArquivosMapa(const std::filesystem::path& programa);

// Copies the layer being prepared (and the microregion layer) to its working
// name. A missing or damaged installed shapefile is an error naming it; a
// missing index file is skipped.
void CopiaCamadas(const std::filesystem::path& programa, const MapState& state, const std::string& sel);

// Gives the table an index tag on each field (the second and third may be
// empty; a failure on them is ignored). Throws when the table cannot be
// opened or lacks the first field.
bool CriaIndiceDBF(const std::filesystem::path& tabela, const std::string& campo1, const std::string& campo2 = {},
                   const std::string& campo3 = {});

} // namespace daxo::maps
