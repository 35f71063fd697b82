#include "shapefile.h"

#include "file_lookup.h"

#include <system_error>

namespace daxo::platform {

namespace {

// shapelib opens the .shx beside the .shp by its own spelling; the
// installation may spell the two differently.
SAFile openIgnoringCase(const char* filename, const char* access)
{
    SAHooks plain;
    SASetupDefaultHooks(&plain);
    return plain.FOpen(findPath(filename).string().c_str(), access);
}

} // namespace

ShapefileHandle openShapefile(const std::filesystem::path& shp)
{
    SAHooks hooks;
    SASetupDefaultHooks(&hooks);
    hooks.FOpen = openIgnoringCase;
    return ShapefileHandle(SHPOpenLL(findPath(shp).string().c_str(), "rb", &hooks));
}

ShapefileFault shapefileFault(const std::filesystem::path& shp)
{
    const std::filesystem::path file = findPath(shp);
    if (!fileExists(file))
        return ShapefileFault::Missing;
    const ShapefileHandle handle = openShapefile(file);
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (!handle || error || size < handle->nFileSize)
        return ShapefileFault::Damaged;
    constexpr unsigned kRecordHeader = 8;
    for (int i = 0; i < handle->nRecords; ++i)
        if (std::uintmax_t{handle->panRecOffset[i]} + kRecordHeader + handle->panRecSize[i] > size)
            return ShapefileFault::Damaged;
    return ShapefileFault::None;
}

std::string faultWord(ShapefileFault fault)
{
    return fault == ShapefileFault::Missing ? "não encontrado" : "corrompido";
}

std::string shapefileFaultMessage(ShapefileFault fault, const std::string& shown)
{
    return "Arquivo de mapa " + faultWord(fault) + ": " + shown;
}

} // namespace daxo::platform
