#include "startup_rules.h"

#include "platform/file_lookup.h"

namespace daxo::app {

namespace fs = std::filesystem;

namespace {
void addDataAlias(platform::AliasRegistry& registry, const fs::path& programFolder)
{
    registry.addStandard(kAliasDados, platform::findPath(programFolder / "Bases"), "DBASE");
}
} // namespace

void registerDataAlias(platform::AliasRegistry& registry, const fs::path& programFolder)
{
    if (!registry.exists(kAliasDados)) {
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
