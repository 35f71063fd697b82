#include "startup_rules.h"

#include "platform/file_lookup.h"

namespace daxo::app {

namespace fs = std::filesystem;

namespace {
void addDataAlias(platform::AliasRegistry& registry, const fs::path& programFolder)
{
    registry.addStandard(kAliasDados, platform::findPath(programFolder / "Bases"), "DBASE");
}

// The same folder however it is written (a trailing separator, "..", a link).
bool sameFolder(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return (a / "").lexically_normal() == (b / "").lexically_normal();
}
} // namespace

void registerDataAlias(platform::AliasRegistry& registry, const fs::path& programFolder)
{
    // The alias is shared by every program folder of the user: one that names
    // another folder's Bases would have this program read and write there.
    const auto alias = registry.find(kAliasDados);
    if (!alias || !sameFolder(alias->path, platform::findPath(programFolder / "Bases"))) {
        if (alias)
            registry.remove(kAliasDados);
        addDataAlias(registry, programFolder);
        registry.save();
    }
    const fs::path marker = platform::findPath(programFolder / "alias.ini");
    if (!platform::fileExists(marker))
        return;
    // An existing alias_.ini makes the rename fail: the marker then stays and
    // the alias is registered anew at every start.
    const fs::path done = programFolder / "alias_.ini";
    if (!platform::fileExists(platform::findPath(done))) {
        std::error_code ignored;
        fs::rename(marker, done, ignored);
    }
    registry.remove(kAliasDados);
    registry.save();
    addDataAlias(registry, programFolder);
    registry.save();
}

} // namespace daxo::app
