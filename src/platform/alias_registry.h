#pragma once
// The engine's persistent alias configuration: a small file under the user's
// configuration folder naming data folders.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace daxo::platform {

struct Alias {
    std::string name;
    std::string driver;            // "DBASE"
    std::filesystem::path path;
};

class AliasRegistry {
public:
    // $DAXO_ENGINE_CONFIG when set, else <config folder>/daxo/aliases.cfg.
    static std::filesystem::path defaultFile();

    explicit AliasRegistry(std::filesystem::path file = defaultFile());  // reads it when present

    bool exists(const std::string& name) const;        // letter case ignored
    std::optional<Alias> find(const std::string& name) const;
    void addStandard(const std::string& name, const std::filesystem::path& path,
                     const std::string& driver);       // throws when it exists
    void remove(const std::string& name);              // throws when absent
    void save() const;                                 // throws EngineError when unwritable

private:
    std::filesystem::path file_;
    std::vector<Alias> aliases_;
};

} // namespace daxo::platform
