#pragma once
// A throw-away installation folder with small tables shaped like the real
// ones: matrix tables, the state table, the geographic levels, the indicator
// definitions, the municipality list and a map layer's attribute table.
#include "platform/dbf_table.h"

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::platform::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void makeTable(const std::filesystem::path& file, std::vector<DbfField> fields,
               const std::vector<std::vector<Value>>& rows);

std::string readBytes(const std::filesystem::path& file);

// Fills <root>/Bases and <root>/mapas with the sample tables.
void makeInstallation(const std::filesystem::path& root);

} // namespace daxo::platform::testing
