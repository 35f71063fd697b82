#include "installation.h"

#include "atlas.h"
#include "census_tables.h"
#include "map_layers.h"
#include "population_model.h"
#include "reference_tables.h"
#include "sample_geography.h"
#include "source_data.h"

#include "indicators/definition.h"

#include <chrono>
#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace daxo::generator {

InstallationSummary generateInstallation(const InstallationOptions& options)
{
    const auto start = std::chrono::steady_clock::now();
    namespace fs = std::filesystem;
    const fs::path bases = options.outputDir / "Bases";
    const fs::path maps = options.outputDir / "Mapas";
    for (const fs::path& dir : {bases, maps / "Estados"}) {
        std::error_code error;
        fs::create_directories(dir, error);
        if (error) throw std::runtime_error("Não foi possível criar a pasta " + dir.string() + ": " + error.message());
    }

    const SourceData source = loadSourceData(options.dataDir);
    const Atlas atlas = buildAtlas(source, sampleRegions(), sampleStates(options.small));

    InstallationSummary summary;
    summary.states = atlas.states.size();
    summary.microregions = atlas.microregions.size();
    summary.municipalities = atlas.municipalities.size();
    for (const Municipality& m : atlas.municipalities)
        if (!m.createdAfter1991) ++summary.municipalities1991;

    writeReferenceTables(atlas, bases);
    summary.mapFiles = writeMapLayers(atlas, maps);
    for (int census : {1991, 2000}) {
        const CensusModel model = buildCensusModel(atlas, census, options.seed);
        const CensusTablesSummary tables = writeCensusTables(atlas, model, indicators::enumerateDefinitions(census), bases);
        (census == 1991 ? summary.definitions1991 : summary.definitions2000) = tables.definitions;
        summary.matrixTables += tables.tables;
    }

    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (const auto& entry : fs::recursive_directory_iterator(options.outputDir))
        if (entry.is_regular_file()) summary.bytes += entry.file_size();
    return summary;
}

std::string describe(const InstallationSummary& s)
{
    std::ostringstream out;
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", s.seconds);
    out << "Instalação de exemplo gerada em " << seconds << " s, " << (s.bytes + 512 * 1024) / (1024 * 1024)
        << " MB em disco\n"
        << "  definições: " << s.definitions1991 << " (1991), " << s.definitions2000 << " (2000)\n"
        << "  tabelas matriz: " << s.matrixTables << "\n"
        << "  estados: " << s.states << ", microrregiões: " << s.microregions << ", municípios: "
        << s.municipalities << " (" << s.municipalities1991 << " existentes em 1991)\n"
        << "  arquivos de mapas: " << s.mapFiles << "\n";
    return out.str();
}

} // namespace daxo::generator
