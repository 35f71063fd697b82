#pragma once
// The committed geography sources under data/: state outlines in
// longitude/latitude and the municipality names of each state.
#include "geometry.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace daxo::generator {

struct SourceData {
    std::map<std::string, Shape> outlines;                       // by sigla
    std::map<std::string, std::vector<std::string>> names;       // by sigla, sorted
};

// Throws std::runtime_error with a Portuguese message naming the file when a
// file is missing or malformed.
SourceData loadSourceData(const std::filesystem::path& dataDir);

} // namespace daxo::generator
