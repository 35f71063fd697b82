#pragma once
// Writes a complete sample installation: Bases/ with the census tables and
// the lookup tables, Mapas/ with the map layers.
#include <cstdint>
#include <filesystem>
#include <string>

namespace daxo::generator {

struct InstallationOptions {
    std::filesystem::path outputDir;
    std::filesystem::path dataDir;     // the committed geography sources
    std::uint64_t seed = 2000;
    bool small = false;                // a few states only, every indicator
};

struct InstallationSummary {
    std::size_t definitions1991 = 0;
    std::size_t definitions2000 = 0;
    std::size_t matrixTables = 0;
    std::size_t states = 0;
    std::size_t microregions = 0;
    std::size_t municipalities = 0;
    std::size_t municipalities1991 = 0;
    int mapFiles = 0;
    double seconds = 0;
    std::uintmax_t bytes = 0;
};

// Throws std::exception with a Portuguese message on failure.
InstallationSummary generateInstallation(const InstallationOptions& options);

std::string describe(const InstallationSummary& summary);

} // namespace daxo::generator
