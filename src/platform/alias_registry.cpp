#include "alias_registry.h"
#include "names.h"

#include "engine.h"
#include "safe_files.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace daxo::platform {

namespace fs = std::filesystem;

fs::path AliasRegistry::defaultFile()
{
    if (const char* env = std::getenv("DAXO_ENGINE_CONFIG"); env && *env)
        return env;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return fs::path(xdg) / "daxo" / "aliases.cfg";
    if (const char* home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".config" / "daxo" / "aliases.cfg";
    return "aliases.cfg";
}

// One section per alias:
//   [NAME]
//   DRIVER=DBASE
//   PATH=/folder
AliasRegistry::AliasRegistry(fs::path file) : file_(std::move(file))
{
    std::ifstream in(file_);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            aliases_.push_back({line.substr(1, line.size() - 2), "", {}});
        } else if (!aliases_.empty() && line.rfind("DRIVER=", 0) == 0) {
            aliases_.back().driver = line.substr(7);
        } else if (!aliases_.empty() && line.rfind("PATH=", 0) == 0) {
            aliases_.back().path = line.substr(5);
        }
    }
}

bool AliasRegistry::exists(const std::string& name) const { return find(name).has_value(); }

std::optional<Alias> AliasRegistry::find(const std::string& name) const
{
    for (const auto& a : aliases_)
        if (sameName(a.name, name))
            return a;
    return std::nullopt;
}

void AliasRegistry::addStandard(const std::string& name, const fs::path& path, const std::string& driver)
{
    if (name.empty() || name.find_first_of("[]\r\n") != std::string::npos)
        throw EngineError("Nome de alias inválido: " + name);
    if (exists(name))
        throw EngineError("O alias " + name + " já existe");
    aliases_.push_back({name, driver, path});
}

void AliasRegistry::remove(const std::string& name)
{
    auto it = std::find_if(aliases_.begin(), aliases_.end(), [&](const Alias& a) { return sameName(a.name, name); });
    if (it == aliases_.end())
        throw EngineError("O alias " + name + " não existe");
    aliases_.erase(it);
}

void AliasRegistry::save() const
{
    std::error_code ec;
    if (file_.has_parent_path())
        fs::create_directories(file_.parent_path(), ec);
    std::string text;
    for (const auto& a : aliases_)
        text += '[' + a.name + "]\nDRIVER=" + a.driver + "\nPATH=" + a.path.string() + "\n";
    try {
        writeFileSafely(file_, text);
    } catch (const FileError& e) {
        throw EngineError("Não foi possível gravar a configuração de aliases em " + file_.string() + ": " +
                          e.reason());
    }
}

} // namespace daxo::platform
