#pragma once
// The installation's shapefiles: opened with their .shx whatever the letter
// case of either, and a missing file told apart from a damaged one.
#include <shapefil.h>

#include <filesystem>
#include <memory>
#include <string>

namespace daxo::platform {

struct ShapefileCloser {
    void operator()(SHPInfo* handle) const { SHPClose(handle); }
};
using ShapefileHandle = std::unique_ptr<SHPInfo, ShapefileCloser>;

// Null when the file cannot be opened as a shapefile.
ShapefileHandle openShapefile(const std::filesystem::path& shp);

enum class ShapefileFault { None, Missing, Damaged };

// Without reading the shapes: the .shp is there, opens with its .shx, and
// every record the .shx lists lies within the .shp (a cut file does not).
ShapefileFault shapefileFault(const std::filesystem::path& shp);

// "não encontrado" for a missing file, "corrompido" otherwise.
std::string faultWord(ShapefileFault fault);
// "Arquivo de mapa corrompido: <shown>".
std::string shapefileFaultMessage(ShapefileFault fault, const std::string& shown);

} // namespace daxo::platform
