#include "startup_rules.h"

#include "platform/file_lookup.h"

namespace daxo::app {

namespace fs = std::filesystem;

std::optional<std::string> resolutionMessage(int screenWidth)
{
    if (screenWidth < 800)
        return "Resolução mínima recomendade é de 800 x 600";
    return std::nullopt;
}

std::vector<fs::path> collectGeneratedFiles(const fs::path& programFolder)
{
    std::vector<fs::path> files;
    for (const char* mask : kMascarasLimpeza)
        for (const std::string& name : platform::listMatching(programFolder, mask))
            files.push_back(programFolder / name);
    // The work table and its percentage copy for the charts.
    for (const char* table : {"bases/temp.DBF", "bases/temper.dbf"})
        files.push_back(platform::findPath(programFolder / table));
    return files;
}

void cleanProgramFolder(const fs::path& programFolder) noexcept
{
    try {
        for (const fs::path& file : collectGeneratedFiles(programFolder)) {
            std::error_code ec;
            if (fs::is_regular_file(fs::symlink_status(file, ec)) || fs::is_symlink(fs::symlink_status(file, ec)))
                fs::remove(file, ec);
        }
    } catch (...) {
        // The window closes whatever happens here.
    }
}

int nextAguarde(int visible)
{
    if (visible < 0 || visible >= static_cast<int>(kAguarde.size()) - 1)
        return 0;
    return visible + 1;
}

} // namespace daxo::app
