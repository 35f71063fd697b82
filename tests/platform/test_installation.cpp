#include "test_installation.h"

#include <fstream>
#include <random>
#include <sstream>

namespace daxo::platform::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("daxo-platform-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void makeTable(const fs::path& file, std::vector<DbfField> fields, const std::vector<std::vector<Value>>& rows)
{
    DbfTable t = DbfTable::create(file, std::move(fields));
    for (const auto& row : rows) {
        const std::size_t r = t.appendRecord();
        for (std::size_t i = 0; i < row.size(); ++i)
            t.setValue(r, static_cast<int>(i), row[i]);
    }
    t.save();
}

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

DbfField chr(std::string name, int length) { return {std::move(name), FieldType::Character, length, 0}; }
DbfField num(std::string name, int length, int decimals = 0) { return {std::move(name), FieldType::Numeric, length, decimals}; }

// CODIGO, NIVEL_GEO, V001 (men), V002 (women).
const std::vector<std::vector<Value>> kMunicipalRows = {
    {"0", "Brasil", 83576015, 86223155},
    {"888", "Brasil Urbano", 66882993, 70870571},
    {"999", "Brasil Rural", 16693022, 15352584},
    {"1", "Norte", 6533555, 6366149},
    {"1888", "Norte Urbano", 4547049, 4564603},
    {"1999", "Norte Rural", 1986506, 1801546},
    {"2", "Nordeste", 23413914, 24327725},
    {"29", "Bahia", 6462033, 6608217},
    {"29888", "Bahia Urbano", 4297972, 4474376},
    {"29999", "Bahia Rural", 2164061, 2133841},
    {"11", "Rondônia", 707145, 672642},
    {"53", "Distrito Federal", 977400, 1073746},
    {"53888", "Distrito Federal Urbano", 929412, 1031971},
    {"292740", "Salvador", 1150280, 1292822},
    {"110001", "Alta Floresta d'Oeste", 13005, 11387},
    {"354580", "Santa Bárbara d'Oeste", 84245, 85833},
    {"290010", "Abaíra", 4358, 4302},
};

} // namespace

void makeInstallation(const fs::path& root)
{
    const fs::path bases = root / "Bases";
    fs::create_directories(bases);
    fs::create_directories(root / "mapas" / "estados");
    makeTable(bases / "UF.DBF", {chr("UFCODIGO", 2), chr("UFSIGLA", 2)},
              {{"11", "RO"}, {"29", "BA"}, {"35", "SP"}, {"53", "DF"}});
    makeTable(bases / "NivelGeograficoUF.dbf", {chr("CODIGO", 2), chr("NOME", 40), chr("regiao", 1)},
              {{"11", "Rondônia", "1"}, {"29", "Bahia", "2"}, {"35", "São Paulo", "3"}, {"53", "Distrito Federal", "5"}});
    const std::vector<DbfField> matrix = {chr("CODIGO", 9), chr("NIVEL_GEO", 60), num("V001", 12), num("V002", 12)};
    makeTable(bases / "MU2000.DBF", matrix, kMunicipalRows);
    makeTable(bases / "MU1991.DBF", matrix, kMunicipalRows);
    makeTable(bases / "MI2000.DBF", matrix, {{"29021", "Salvador", 1300000, 1400000}, {"29", "Bahia", 6462033, 6608217}});
    makeTable(bases / "Indicadores2000.dbf",
              {chr("CODIGO", 10), chr("INDICADOR", 120), chr("TAB_MI2000", 20), chr("TAB_MU2000", 20)},
              {{"V001", "Homens", "MI2000.DBF", "MU2000.DBF"},
               {"V002", "Mulheres", "MI2000.DBF", "MU2000.DBF"}});
    makeTable(bases / "Municipios2000.dbf", {chr("nome", 60), chr("codigo", 6), chr("sigla", 2)},
              {{"Salvador", "292740", "BA"}, {"Abaíra", "290010", "BA"}, {"Érico Cardoso", "290050", "BA"},
               {"Água Fria", "290040", "BA"}, {"Santa Bárbara d'Oeste", "354580", "SP"}});
    std::vector<DbfField> layer = {chr("ID", 2), chr("NOME", 40)};
    for (int i = 1; i <= 9; ++i)
        layer.push_back(num("v0" + std::to_string(i), 20, 2));
    makeTable(root / "mapas" / "iBrasil.dbf", layer,
              {{"29", "Bahia", 5, 6, 7, 8, 9, 1, 2, 3, 4}, {"11", "Rondônia", Value(), 1}});
}

} // namespace daxo::platform::testing
