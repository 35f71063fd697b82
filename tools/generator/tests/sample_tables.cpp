#include "sample_tables.h"

#include "platform/dbf_table.h"
#include "platform/file_lookup.h"

#include <unistd.h>

namespace daxo::generator::testing {

namespace fs = std::filesystem;

namespace {
// Removes the generated folders when the test program ends.
struct Cleanup {
    std::vector<fs::path> dirs;
    ~Cleanup()
    {
        std::error_code ec;
        for (const fs::path& d : dirs) fs::remove_all(d, ec);
    }
};
Cleanup cleanup;
} // namespace

const Sample& smallSample()
{
    static const Sample sample = [] {
        Sample s;
        s.dir = fs::temp_directory_path() / ("daxo_sample_" + std::to_string(::getpid()));
        fs::remove_all(s.dir);
        InstallationOptions options;
        options.outputDir = s.dir;
        options.dataDir = DAXO_DATA_DIR;
        options.small = true;
        options.seed = 7;
        cleanup.dirs.push_back(s.dir);
        s.summary = generateInstallation(options);
        return s;
    }();
    return sample;
}

std::map<std::string, DefinitionRecord> definitionRecords(int census)
{
    const std::string year = std::to_string(census);
    platform::DbfTable table = platform::DbfTable::open(smallSample().dir / "Bases" / ("Indicadores" + year + ".dbf"));
    const int codigo = table.fieldIndex("CODIGO"), text = table.fieldIndex("INDICADOR");
    const int mi = table.fieldIndex("TAB_MI" + year), mu = table.fieldIndex("TAB_MU" + year);
    std::map<std::string, DefinitionRecord> records;
    for (std::size_t r = 0; r < table.recordCount(); ++r)
        records[table.value(r, text).asString()] = {table.value(r, codigo).asString(), table.value(r, mi).asString(),
                                                   table.value(r, mu).asString()};
    return records;
}

std::map<std::string, double> columnValues(const std::string& tableName, const std::string& column)
{
    std::map<std::string, double> values;
    static std::map<std::string, platform::DbfTable> opened;   // the tests only read
    auto it = opened.find(tableName);
    if (it == opened.end()) {
        const fs::path file = platform::findPath(smallSample().dir / "Bases" / tableName);
        if (!fs::exists(file)) return values;
        it = opened.emplace(tableName, platform::DbfTable::open(file)).first;
    }
    const platform::DbfTable& table = it->second;
    const int code = table.fieldIndex("CODIGO"), field = table.fieldIndex(column);
    if (code < 0 || field < 0) return values;
    for (std::size_t r = 0; r < table.recordCount(); ++r)
        values[table.value(r, code).asString()] = table.value(r, field).asFloat();
    return values;
}

std::vector<std::string> fieldNames(const fs::path& file)
{
    std::vector<std::string> names;
    const platform::DbfTable table = platform::DbfTable::open(file);
    for (const auto& f : table.fields()) names.push_back(f.name);
    return names;
}

std::map<std::string, std::string> stateRegions()
{
    platform::DbfTable table = platform::DbfTable::open(smallSample().dir / "Bases" / "NivelGeograficoUF.dbf");
    std::map<std::string, std::string> regions;
    for (std::size_t r = 0; r < table.recordCount(); ++r)
        regions[table.value(r, table.fieldIndex("CODIGO")).asString()] = table.value(r, table.fieldIndex("regiao")).asString();
    return regions;
}

} // namespace daxo::generator::testing
