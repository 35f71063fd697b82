#include "data_module_setup.h"

#include "refusal.h"
#include "startup_rules.h"

#include <exception>
#include <memory>

namespace daxo::app {

namespace {
std::unique_ptr<platform::DataModule>& instance()
{
    static std::unique_ptr<platform::DataModule> module;
    return module;
}
} // namespace

void criaDmDAXO(const std::filesystem::path& programFolder)
{
    platform::AliasRegistry registry;
    // The module is created even when the alias could not be saved; the
    // error is reported afterwards.
    std::exception_ptr aliasError;
    try {
        registerDataAlias(registry, programFolder);
    } catch (...) {
        aliasError = std::current_exception();
    }
    const auto alias = registry.find(kAliasDados);
    instance() = std::make_unique<platform::DataModule>(alias ? alias->path : programFolder / "Bases");
    if (aliasError)
        std::rethrow_exception(aliasError);
}

platform::DataModule& dmDAXO()
{
    if (!instance())
        refuse("A pasta de dados Bases não pôde ser aberta.");
    return *instance();
}

} // namespace daxo::app
