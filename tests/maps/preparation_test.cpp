// The map output's preparation on the small sample installation (Acre,
// Sergipe and the Distrito Federal): values in the layers' attribute tables
// against the matrix tables read directly, zeroing, working copies, index
// files and the indicator list.
#include "indicators/definition_lookup.h"
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "maps/layer_statistics.h"
#include "maps/layer_values.h"
#include "maps/map_files.h"
#include "maps/map_preparation.h"
#include "platform/dbf_table.h"
#include "platform/file_lookup.h"
#include "platform/safe_files.h"
#include "query/query_runner.h"
#include "report_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace daxo;
using daxo::platform::DbfTable;
using daxo::platform::findPath;

namespace {

fs::path installationsFolder() { return fs::temp_directory_path() / ("daxo_maps_" + std::to_string(::getpid())); }

fs::path freshInstallation() { return test::freshSmallInstallation(installationsFolder()); }

class InstallationCleanup : public ::testing::Environment {
public:
    void TearDown() override { fs::remove_all(installationsFolder()); }
};
const auto* const cleanup = ::testing::AddGlobalTestEnvironment(new InstallationCleanup);

// Field values of a table by its key field.
std::map<std::string, std::vector<double>> valuesByKey(const fs::path& table, const std::string& key,
                                                       const std::vector<std::string>& fields)
{
    const DbfTable t = DbfTable::open(findPath(table));
    std::map<std::string, std::vector<double>> out;
    for (std::size_t r = 0; r < t.recordCount(); ++r) {
        auto& row = out[t.value(r, t.fieldIndex(key)).asString()];
        for (const auto& f : fields) {
            const int i = t.fieldIndex(f);
            EXPECT_GE(i, 0) << f << " in " << table;
            row.push_back(i < 0 ? -1 : t.value(r, i).asFloat());
        }
    }
    return out;
}

const std::vector<std::string> kValueFields = {"v01", "v02", "v03", "v04", "v05", "v06", "v07", "v08", "v09"};

class MapPreparation : public ::testing::Test, public test::ReportRun {
protected:
    MapPreparation() : ReportRun(freshInstallation()) {}
    void TearDown() override { fs::remove_all(folder); }

    void choose(int indicator, const std::vector<std::string>& boxes, int firstAge = 0, int lastAge = 0)
    {
        rows = test::chosenRows(
            {.indicator = indicator, .census = census, .boxes = boxes, .firstAge = firstAge, .lastAge = lastAge});
        this->indicator = indicator;
    }

    maps::MapWindowData prepare(const std::string& name, const std::string& code)
    {
        localities::MigrationLists migration;
        query::QueryRunner runner(*dm, migration);
        maps::MapWindowData shown;
        int opened = 0;
        maps::bt_MapaClick(*dm, runner,
                           {.choice = {.indicator = indicator, .census = census, .names = {name}, .codes = {code}},
                            .rows = &rows,
                            .programa = folder},
                           {.abreJanela = [&](const maps::MapWindowData& d) {
                               shown = d;
                               ++opened;
                           }});
        EXPECT_EQ(opened, 1);
        EXPECT_FALSE(runner.GravaValoresCamada) << "the writer does not outlive the preparation";
        return shown;
    }

    // The refusal's message, empty when the map was prepared.
    std::string refusal(const maps::MapChoice& choice)
    {
        localities::MigrationLists migration;
        query::QueryRunner runner(*dm, migration);
        try {
            maps::bt_MapaClick(*dm, runner, {.choice = choice, .rows = &rows, .programa = folder}, {});
        } catch (const maps::MapRefusal& e) {
            return e.what();
        }
        return {};
    }

    // The value a row of the query has at a locality: the sum of its
    // definitions' matrix columns, read directly from the matrix table.
    double expected(int row, const std::string& code, bool micro = false)
    {
        auto& q = dm->Query1;
        indicators::BuscaIndicador(q, census, rows.FiltroLinha[row]);
        const std::string table = q.field((micro ? "TAB_MI" : "TAB_MU") + census).asString();
        std::vector<std::string> columns;
        for (q.first(); !q.eof(); q.next())
            columns.push_back(q.field("CODIGO").asString());
        q.close();
        const DbfTable t = DbfTable::open(findPath(folder / "Bases" / table));
        for (std::size_t r = 0; r < t.recordCount(); ++r) {
            if (t.value(r, t.fieldIndex("CODIGO")).asString() != code)
                continue;
            double sum = 0;
            for (const auto& c : columns)
                sum += t.value(r, t.fieldIndex(c)).asFloat();
            return sum;
        }
        ADD_FAILURE() << "no matrix record " << code;
        return -1;
    }

    // Checks every feature of a layer against the matrix, for the query's
    // `columns` rows; the other value fields stay 0.
    void expectLayerValues(const fs::path& table, const std::string& key, int columns, bool micro = false)
    {
        const auto layer = valuesByKey(table, key, kValueFields);
        ASSERT_FALSE(layer.empty());
        for (const auto& [code, values] : layer) {
            for (int c = 0; c < 9; ++c) {
                if (c < columns)
                    EXPECT_NEAR(values[c], expected(c, code, micro), 0.005) << table << " " << code << " v0" << c + 1;
                else
                    EXPECT_EQ(values[c], 0) << table << " " << code << " v0" << c + 1;
            }
        }
    }

    void plantValues(const fs::path& table, double value)
    {
        auto t = DbfTable::open(findPath(table));
        for (std::size_t r = 0; r < t.recordCount(); ++r)
            for (const auto& f : kValueFields)
                t.setValue(r, t.fieldIndex(f), value);
        t.save();
    }

    bool sameBytes(const fs::path& a, const fs::path& b)
    {
        std::ifstream x(findPath(a), std::ios::binary), y(findPath(b), std::ios::binary);
        const std::string sa((std::istreambuf_iterator<char>(x)), {}), sb((std::istreambuf_iterator<char>(y)), {});
        return !sa.empty() && sa == sb;
    }

    std::string census = "2000";
    int indicator = 0;
};

const std::vector<std::string> kSexes = {"chkMasculino", "chkFeminino"};

} // namespace

TEST_F(MapPreparation, OneStateWritesTheStateAndMicroregionLayersAndTheirWorkingCopies)
{
    choose(0, kSexes);
    plantValues(folder / "Mapas/Estados/iind_Acre.dbf", 7);   // the v03..v09 of an earlier map
    const auto shown = prepare("Acre", "12");

    EXPECT_EQ(shown.state.NomeCamada, "ind_Acre");
    EXPECT_EQ(shown.state.NomeCamadaMicro, "12MI2500G");
    EXPECT_TRUE(shown.state.PrimeiraExibicaoMapa);
    EXPECT_FALSE(shown.state.MapaNacional || shown.state.NivelMicro || shown.state.NivelMunicipio);
    EXPECT_EQ(shown.RadioGroup1, (std::vector<std::string>{"Homens", "Mulheres"}));
    EXPECT_EQ(shown.RadioGroup2, (std::vector<std::string>{"v01", "v02"}));

    expectLayerValues(folder / "Mapas/Estados/iind_Acre.dbf", "ID_", 2);
    expectLayerValues(folder / "Mapas/Estados/12MI2500G.dbf", "ID_", 2, true);
    EXPECT_GT(valuesByKey(folder / "Mapas/Estados/iind_Acre.dbf", "ID_", {"v01"}).at("120010")[0], 0);

    // Index files created where missing: the matrix tables and both layers.
    for (const char* mdx : {"Bases/pop2000mu.MDX", "Bases/pop2000mi.MDX", "Mapas/Estados/iind_Acre.MDX",
                            "Mapas/Estados/12MI2500G.MDX"})
        EXPECT_TRUE(platform::fileExists(folder / mdx)) << mdx;

    // Working copies under their fixed names, the values included.
    for (const char* part : {".dbf", ".shp", ".shx"}) {
        EXPECT_TRUE(sameBytes(folder / (std::string("tempmapa") + part), folder / "Mapas/Estados" /
                                                                            (std::string(part) == ".dbf" ? "iind_Acre.dbf" : "ind_Acre" + std::string(part))))
            << part;
        EXPECT_TRUE(sameBytes(folder / (std::string("tempmapam") + part), folder / "Mapas/Estados" / ("12MI2500G" + std::string(part))))
            << part;
    }
    EXPECT_TRUE(sameBytes(folder / "ttempmapa.dbf", folder / "Mapas/Estados/iind_Acre.dbf"));
    EXPECT_TRUE(sameBytes(folder / "ttempmapam.dbf", folder / "Mapas/Estados/12MI2500G.dbf"));
    EXPECT_FALSE(fs::exists(folder / "brmapa.dbf"));
    EXPECT_FALSE(fs::exists(folder / "mumapa.dbf"));
}

TEST_F(MapPreparation, BrasilPreparesTheThreeNationalLayers)
{
    choose(0, {"chkMasculino", "chkFeminino", "chkTodos"});
    plantValues(folder / "Mapas/iBrasil.dbf", 5);
    plantValues(folder / "Mapas/iEstados.dbf", 5);
    // Working files of an earlier state map are removed first.
    std::ofstream(folder / "Tempmapam.DBF") << "old";
    const auto shown = prepare("Brasil", "0");

    EXPECT_EQ(shown.state.NomeCamada, "REGIOES");
    EXPECT_TRUE(shown.state.MapaNacional);
    EXPECT_EQ(shown.RadioGroup2, (std::vector<std::string>{"v01", "v02", "v03"}));
    for (const auto& [code, values] : valuesByKey(folder / "Mapas/iBrasil.dbf", "ID", kValueFields))
        EXPECT_EQ(values, std::vector<double>(9, 0.0)) << "the country layer is only cleared";

    expectLayerValues(folder / "Mapas/iMUNICIPIOS.dbf", "ID_", 3);
    expectLayerValues(folder / "Mapas/iEstados.dbf", "ID", 3);
    expectLayerValues(folder / "Mapas/iRegioes.dbf", "ID", 3);

    EXPECT_TRUE(sameBytes(folder / "mumapa.dbf", folder / "Mapas/iMUNICIPIOS.dbf"));
    EXPECT_TRUE(sameBytes(folder / "mumapa.shp", folder / "Mapas/MUNICIPIOS.shp"));
    EXPECT_TRUE(sameBytes(folder / "tempmapa.dbf", folder / "Mapas/iEstados.dbf"));
    EXPECT_TRUE(sameBytes(folder / "tempmapa.shp", folder / "Mapas/Estados.shp"));
    EXPECT_TRUE(sameBytes(folder / "brmapa.dbf", folder / "Mapas/iRegioes.dbf"));
    EXPECT_TRUE(sameBytes(folder / "tbrmapa.dbf", folder / "Mapas/iRegioes.dbf"));
    EXPECT_TRUE(sameBytes(folder / "brmapa.shx", folder / "Mapas/Regioes.shx"));
    EXPECT_TRUE(sameBytes(folder / "mumapa.mdx", folder / "Mapas/iMUNICIPIOS.mdx"));
    EXPECT_FALSE(platform::fileExists(folder / "tempmapam.dbf"));
}

TEST_F(MapPreparation, RegionsKeepTheHighlightOnlyForASingleRegion)
{
    choose(0, kSexes);
    const auto one = prepare("Nordeste", "2");
    EXPECT_TRUE(one.state.NivelRegiao && one.state.MapaNacional);
    expectLayerValues(folder / "Mapas/iRegioes.dbf", "ID", 2);
    const auto all = prepare("Regiões", "987654321");
    EXPECT_FALSE(all.state.NivelRegiao);
    EXPECT_TRUE(all.state.MapaNacional);
    EXPECT_EQ(all.state.NomeCamada, "REGIOES");
}

TEST_F(MapPreparation, MunicipalityAndMicroregionAreDrawnOnTheirStateLayers)
{
    choose(0, kSexes);
    const auto municipality = prepare("Acrelândia", "120010");
    EXPECT_TRUE(municipality.state.NivelMunicipio);
    EXPECT_FALSE(municipality.state.NivelMicro);
    EXPECT_EQ(municipality.state.NomeCamada, "ind_Acre");
    EXPECT_EQ(municipality.state.NomeCamadaMicro, "12MI2500G");
    EXPECT_EQ(municipality.code, "120010") << "the chosen code is what the window sees";
    expectLayerValues(folder / "Mapas/Estados/iind_Acre.dbf", "ID_", 2);
    expectLayerValues(folder / "Mapas/Estados/12MI2500G.dbf", "ID_", 2, true);

    const auto micro = prepare("Rio Branco", "12004");
    EXPECT_TRUE(micro.state.NivelMicro);
    EXPECT_FALSE(micro.state.NivelMunicipio);
    EXPECT_TRUE(sameBytes(folder / "tempmapam.dbf", folder / "Mapas/Estados/12MI2500G.dbf"));
}

TEST_F(MapPreparation, SeveralAgeRangesAddUpInTheLayer)
{
    choose(0, kSexes, 5, 7);
    ASSERT_GT(rows.QtdFaixas(), 1);
    const auto shown = prepare("Sergipe", "28");
    EXPECT_EQ(shown.RadioGroup2, (std::vector<std::string>{"v01", "v02"}));
    expectLayerValues(folder / "Mapas/Estados/iind_Sergipe.dbf", "ID_", 2);
    expectLayerValues(folder / "Mapas/Estados/28MI2500G.dbf", "ID_", 2, true);
}

TEST_F(MapPreparation, RowsInDifferentMatrixTablesAreEachReadFromTheirOwn)
{
    // "População ocupada" from 10 years on: the sexes live in different tables.
    choose(11, kSexes, 1, 4);
    ASSERT_NE(matrixTables(census, rows.FiltroLinha[0]).front(), matrixTables(census, rows.FiltroLinha[1]).front());
    prepare("Unidade da Federação", "12345678");
    expectLayerValues(folder / "Mapas/iMUNICIPIOS.dbf", "ID_", 2);
    expectLayerValues(folder / "Mapas/iEstados.dbf", "ID", 2);
    prepare("Sergipe", "28");
    expectLayerValues(folder / "Mapas/Estados/iind_Sergipe.dbf", "ID_", 2);
    expectLayerValues(folder / "Mapas/Estados/28MI2500G.dbf", "ID_", 2, true);
}

TEST_F(MapPreparation, ZeroingClearsBothLayers)
{
    plantValues(folder / "Mapas/Estados/iind_Sergipe.dbf", 3);
    plantValues(folder / "Mapas/Estados/28MI2500G.dbf", 3);
    maps::ZeraValoresCamada(*dm, folder, {.NomeCamada = "ind_Sergipe", .NomeCamadaMicro = "28MI2500G"});
    for (const char* table : {"Mapas/Estados/iind_Sergipe.dbf", "Mapas/Estados/28MI2500G.dbf"})
        for (const auto& [code, values] : valuesByKey(folder / table, "ID_", kValueFields))
            EXPECT_EQ(values, std::vector<double>(9, 0.0)) << table << " " << code;
}

TEST_F(MapPreparation, RefusalsTouchNoFile)
{
    choose(0, kSexes);
    std::ofstream(folder / "tempmapa.dbf") << "earlier map";
    plantValues(folder / "Mapas/Estados/iind_Acre.dbf", 4);
    EXPECT_EQ(refusal({.indicator = 0, .census = "1991 e 2000", .names = {"Acre"}, .codes = {"12"}}),
              "Escolha somente um censo - 1991 ou 2000");
    EXPECT_TRUE(fs::exists(folder / "tempmapa.dbf"));
    EXPECT_EQ(valuesByKey(folder / "Mapas/Estados/iind_Acre.dbf", "ID_", {"v01"}).at("120010")[0], 4);
}

TEST_F(MapPreparation, AMissingLayerTableIsNamedInTheMessage)
{
    choose(0, kSexes);
    fs::remove(folder / "Mapas/Estados/iind_Sergipe.dbf");
    try {
        prepare("Sergipe", "28");
        FAIL() << "no error";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("iind_Sergipe.dbf"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("não foi encontrada"), std::string::npos) << e.what();
    }
}

TEST_F(MapPreparation, AMissingOrDamagedShapefileIsNamedAndNoWindowOpens)
{
    choose(0, kSexes);
    const fs::path shp = folder / "Mapas/Estados/ind_Sergipe.shp";
    const fs::path kept = folder / "ind_Sergipe.guardado";
    fs::rename(shp, kept);
    const auto failure = [&] {
        localities::MigrationLists migration;
        query::QueryRunner runner(*dm, migration);
        int opened = 0;
        std::string message;
        try {
            maps::bt_MapaClick(*dm, runner,
                               {.choice = {.indicator = 0, .census = census, .names = {"Sergipe"}, .codes = {"28"}},
                                .rows = &rows,
                                .programa = folder},
                               {.abreJanela = [&](const maps::MapWindowData&) { ++opened; }});
        } catch (const std::exception& e) {
            message = e.what();
        }
        EXPECT_EQ(opened, 0);
        return message;
    };
    EXPECT_EQ(failure(), "Arquivo de mapa não encontrado: Mapas/Estados/ind_Sergipe.shp");

    fs::copy_file(kept, shp);
    fs::resize_file(shp, fs::file_size(shp) - 100);
    EXPECT_EQ(failure(), "Arquivo de mapa corrompido: Mapas/Estados/ind_Sergipe.shp");

    // A full disk while the working copies are written leaves none of them cut.
    fs::copy_file(kept, shp, fs::copy_options::overwrite_existing);
    {
        const platform::SimulatedWriteFailure full(std::errc::no_space_on_device, folder);
        EXPECT_NE(failure().find(": não há espaço livre no disco."), std::string::npos);
    }
    for (const char* ext : {".dbf", ".shp", ".shx"})
        EXPECT_FALSE(fs::exists(folder / (std::string("tempmapa") + ext))) << ext;
}

TEST_F(MapPreparation, PegaNomeReadsTheStateTable)
{
    EXPECT_EQ(maps::PegaNome(*dm, "280030"), "Sergipe");
    EXPECT_EQ(maps::PegaNome(*dm, "53"), "Distrito Federal");
    EXPECT_EQ(maps::PegaNome(*dm, "99001"), "");
    for (const char* bad : {"", "1'"}) {
        try {
            maps::PegaNome(*dm, bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const std::exception& e) {
            EXPECT_STREQ(e.what(), "Problema ao pegar o nome na função pega nome");
        }
    }
}

TEST_F(MapPreparation, CriaIndiceDBFAddsTagsAndClearsTheIndexFlag)
{
    const fs::path table = folder / "Mapas/Estados/28MI2500G.dbf";
    {
        std::fstream raw(findPath(table), std::ios::in | std::ios::out | std::ios::binary);
        raw.seekp(28);
        raw.put('\1');
    }
    EXPECT_TRUE(maps::CriaIndiceDBF(table, "ID_", "GEOCODIGO", "NO_SUCH_FIELD"));
    std::ifstream raw(findPath(table), std::ios::binary);
    raw.seekg(28);
    EXPECT_EQ(raw.get(), 0);
    platform::Table t(dm->SessionDAXO);
    t.setPath(table);
    t.setIndexFile(folder / "Mapas/Estados/28MI2500G.MDX");
    t.setIndexName("GEOCODIGO");
    t.open();
    EXPECT_TRUE(t.findKey("28004"));
    EXPECT_THROW(maps::CriaIndiceDBF(folder / "Mapas/nothing.dbf", "ID"), std::exception);
}

TEST_F(MapPreparation, LayerFilesAreFoundWhateverTheirLetterCase)
{
    // Installed as ind_Distritofederal, named ind_DistritoFederal.
    choose(0, kSexes);
    const auto shown = prepare("Distrito Federal", "53");
    EXPECT_EQ(shown.state.NomeCamada, "ind_DistritoFederal");
    expectLayerValues(folder / "Mapas/Estados/iind_Distritofederal.dbf", "ID_", 2);
    EXPECT_TRUE(sameBytes(folder / "tempmapa.dbf", folder / "Mapas/Estados/iind_Distritofederal.dbf"));
    EXPECT_TRUE(sameBytes(folder / "tempmapa.shp", folder / "Mapas/Estados/ind_Distritofederal.shp"));
    // The index file sits beside the installed table, under its spelling.
    EXPECT_TRUE(fs::exists(folder / "Mapas/Estados/iind_Distritofederal.mdx"));
}

TEST_F(MapPreparation, TheClassMapReadsTheWorkingLayerThroughItsCopy)
{
    choose(0, kSexes);
    prepare("Acre", "12");
    // A feature without value, as a municipality that did not exist yet.
    {
        auto t = DbfTable::open(findPath(folder / "tempmapa.dbf"));
        t.setValue(0, t.fieldIndex("v02"), 0.0);
        t.save();
    }
    const auto layer = valuesByKey(folder / "tempmapa.dbf", "ID_", {"v02"});
    std::vector<double> positive;
    for (const auto& [code, values] : layer)
        if (values[0] > 0)
            positive.push_back(values[0]);
    std::sort(positive.begin(), positive.end());
    ASSERT_EQ(positive.size(), layer.size() - 1);

    EXPECT_EQ(maps::valoresPositivos(*dm, folder, "tempmapa.dbf", "v02", maps::camposVisao(false, 0, 2).ordem),
              positive);
    EXPECT_TRUE(sameBytes(folder / "ttempmapa.dbf", folder / "tempmapa.dbf"));
    platform::Table copy(dm->SessionDAXO);
    copy.setPath(folder / "ttempmapa.dbf");
    copy.setIndexFile(findPath(folder / "ttempmapa.mdx"));
    copy.setIndexName("NAME1_");
    copy.open();
    EXPECT_TRUE(copy.findKey("Acrelândia"));

    EXPECT_THROW(maps::valoresPositivos(*dm, folder, "tempmapa.dbf", "v10", "ID_"), std::runtime_error);
    EXPECT_THROW(maps::valoresPositivos(*dm, folder, "tempmapa.dbf", "v01; drop", "ID_"), std::runtime_error);
    EXPECT_THROW(maps::valoresPositivos(*dm, folder, "brmapa.dbf", "v01", "ID_"), std::runtime_error);
}

TEST_F(MapPreparation, SeveralAgeRangesOfARateAreRefusedFromTheRows)
{
    choose(6, kSexes, 1, 3);
    ASSERT_GT(rows.QtdFaixas(), 1);
    EXPECT_EQ(refusal({.indicator = 6, .census = census, .names = {"Acre"}, .codes = {"12"}}),
              "Escolha somente uma faixa etária");
}
