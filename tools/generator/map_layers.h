#pragma once
// The map layers of the installation under Mapas/: country, regions, states,
// all municipalities, and per state its municipality and microregion layers.
#include "atlas.h"

#include <filesystem>

namespace daxo::generator {

// Returns the number of files written.
int writeMapLayers(const Atlas& atlas, const std::filesystem::path& mapsDir);

} // namespace daxo::generator
