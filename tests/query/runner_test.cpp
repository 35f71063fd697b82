#include "indicators/definition_lookup.h"
#include "platform/data_module.h"
#include "platform/dbf_table.h"
#include "query/query_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

using namespace daxo::query;
using daxo::platform::DataModule;
using daxo::platform::DbfField;
using daxo::platform::DbfTable;
using daxo::platform::FieldType;
using daxo::platform::Value;

namespace {

namespace fs = std::filesystem;

DbfField text(const std::string& name, int length) { return {name, FieldType::Character, length, 0}; }
DbfField number(const std::string& name) { return {name, FieldType::Numeric, 15, 2}; }

void writeTable(const fs::path& path, std::vector<DbfField> fields, const std::vector<std::vector<Value>>& rows)
{
    auto table = DbfTable::create(path, std::move(fields));
    for (const auto& row : rows) {
        const auto r = table.appendRecord();
        for (std::size_t f = 0; f < row.size(); ++f)
            table.setValue(r, static_cast<int>(f), row[f]);
    }
    table.save();
}

// Localities of the small matrix tables: national, regions, states with
// their urban part, municipalities (only in the municipal table).
struct Locality {
    std::string code;
    std::string name;
    bool municipal;
};
const std::vector<Locality> kLocalities = {
    {"0", "Brasil", false},       {"888", "Brasil Urbano", false}, {"1", "Norte", false},
    {"2", "Nordeste", false},     {"1888", "Norte Urbano", false}, {"12", "Acre", false},
    {"11", "Rondônia", false},    {"29", "Bahia", false},          {"29888", "Bahia Urbano", false},
    {"120040", "Rio Branco", true}, {"110012", "Ji-Paraná", true}, {"292740", "Salvador", true},
    {"291005", "Dias d'Ávila", true}};

// The value of column k at a locality: unique and easy to check; Salvador
// has no women of 15 to 17 (a zero is never written).
double cellValue(const std::string& code, int k)
{
    if (code == "292740" && k == 2)
        return 0;
    return std::stod(code) / 10.0 + k;
}

const std::vector<std::string> kColumns = {"P01", "P02", "P03", "P04", "P05"};
const std::vector<std::string> kTerms = {
    "População masculina de 15 a 17 anos de idade", "População feminina de 15 a 17 anos de idade",
    "População masculina de 0 a 3 anos de idade", "População masculina de 4 a 6 anos de idade",
    "População total"};

std::string term(int k) { return " Indicador = '" + kTerms[k - 1] + "'"; }

class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("daxo_runner_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const std::string year : {"1991", "2000"}) {
            std::vector<std::vector<Value>> definitions;
            for (int k = 1; k <= 5; ++k)
                definitions.push_back({kColumns[k - 1], kTerms[k - 1], "pop" + year + "mi.dbf", "pop" + year + "mu.dbf"});
            definitions.push_back({"ENT", "Informação de entrada entre duas datas fixas", "mig" + year + "mi.dbf",
                                   "mig" + year + "mu.dbf"});
            writeTable(folder / ("Indicadores" + year + ".dbf"),
                       {text("CODIGO", 10), text("INDICADOR", 200), text("TAB_MI" + year, 20), text("TAB_MU" + year, 20)},
                       definitions);
            for (bool municipal : {false, true}) {
                std::vector<DbfField> fields{text("CODIGO", 10), text("NIVEL_GEO", 60)};
                for (const auto& c : kColumns)
                    fields.push_back(number(c));
                std::vector<std::vector<Value>> rows;
                for (const auto& l : kLocalities) {
                    if (l.municipal && !municipal)
                        continue;
                    std::vector<Value> row{l.code, l.name};
                    for (int k = 1; k <= 5; ++k)
                        row.push_back(cellValue(l.code, k) + (year == "1991" ? 1000 : 0));
                    rows.push_back(row);
                }
                writeTable(folder / ("pop" + year + (municipal ? "mu" : "mi") + ".dbf"), fields, rows);
                // Migration: entries into a destination state from an origin.
                writeTable(folder / ("mig" + year + (municipal ? "mu" : "mi") + ".dbf"),
                           {text("codigo", 10), text("codigo_de", 10), text("NIVEL_GEO", 60), number("ENT")},
                           {{"12", "29", "Acre", 5.0}, {"11", "29", "Rondônia", 7.0}, {"29", "12", "Bahia", 3.0}});
            }
        }
        writeTable(folder / "UF.DBF", {text("UFCODIGO", 2), text("UFSIGLA", 2)},
                   {{"11", "RO"}, {"12", "AC"}, {"29", "BA"}});
        writeTable(folder / "NivelGeograficoUF.dbf", {text("CODIGO", 2), text("NOME", 40), text("regiao", 1)},
                   {{"11", "Rondônia", "1"}, {"12", "Acre", "1"}, {"29", "Bahia", "2"}});
        dm = std::make_unique<DataModule>(folder);
    }

    void TearDown() override
    {
        dm.reset();
        fs::remove_all(folder);
    }

    void run(const RowSet& rows, QueryRequest request)
    {
        QueryRunner runner(*dm, migration, {}, [this](DataModule& d, const std::string& ano, const std::string& condicao) {
            lookups.push_back(ano + condicao);
            daxo::indicators::BuscaIndicador(d.Query1, ano, condicao);
        });
        runner.ExecutaConsulta(rows, request);
    }

    // The work table keyed by code + census (+ age), each row as column -> text.
    std::map<std::string, std::map<std::string, std::string>> workTable()
    {
        auto& q = dm->Query3;
        q.close();
        q.clearSql();
        q.addLine("SELECT * FROM TEMP");
        q.open();
        columns.clear();
        for (int i = 0; i < q.fieldCount(); ++i)
            columns.push_back(q.fieldName(i));
        std::map<std::string, std::map<std::string, std::string>> rows;
        order.clear();
        for (q.first(); !q.eof(); q.next()) {
            std::map<std::string, std::string> row;
            for (int i = 0; i < q.fieldCount(); ++i)
                row[q.fieldName(i)] = q.field(i).isNull() ? "null" : q.field(i).asString();
            std::string key = row["Codigo"] + "/" + row["Censo"];
            if (row.count("Idade"))
                key += "/" + row["Idade"];
            order.push_back(key);
            rows[key] = row;
        }
        q.close();
        return rows;
    }

    static std::string num(double v) { return Value(v).asString(); }

    fs::path folder;
    std::unique_ptr<DataModule> dm;
    std::vector<std::string> lookups;
    std::vector<std::string> columns;
    std::vector<std::string> order;   // keys of the last workTable() in table order
    daxo::localities::MigrationLists migration;
};

RowSet sexRows()
{
    RowSet rows;
    rows.FiltroLinha[0] = term(1);
    rows.CampoLinha[0] = "Mas";
    rows.FiltroLinha[1] = term(2);
    rows.CampoLinha[1] = "Fem";
    rows.CamposPedidos = {"Mas", "Fem"};
    return rows;
}

} // namespace

TEST_F(RunnerTest, TypicalRequestWritesOneRowForTheState)
{
    run(sexRows(), {.indicator = 0, .census = "2000", .names = {"Bahia"}, .codes = {"29"}});
    auto rows = workTable();
    EXPECT_EQ(columns, (std::vector<std::string>{"Censo", "Localidade", "Codigo", "Mas", "Fem"}));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows["29/2000"]["Localidade"], "BA Bahia-2000");
    EXPECT_EQ(rows["29/2000"]["Mas"], num(cellValue("29", 1)));
    EXPECT_EQ(rows["29/2000"]["Fem"], num(cellValue("29", 2)));
}

TEST_F(RunnerTest, BothCensusesLookUpRowByRowAndWriteARowPerCensus)
{
    run(sexRows(), {.indicator = 0, .census = "1991 e 2000", .names = {"Acre", "Brasil"}, .codes = {"12", "0"}});
    EXPECT_EQ(lookups, (std::vector<std::string>{"1991" + term(1), "2000" + term(1), "1991" + term(2), "2000" + term(2)}));
    auto rows = workTable();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows["12/1991"]["Mas"], num(cellValue("12", 1) + 1000));
    EXPECT_EQ(rows["12/2000"]["Fem"], num(cellValue("12", 2)));
    // National and regional records get no state abbreviation.
    EXPECT_EQ(rows["0/2000"]["Localidade"], " Brasil-2000");
}

TEST_F(RunnerTest, AgeGroupsBrokenOutGetTheIdadeLayout)
{
    RowSet rows;
    rows.FiltroLinha[0] = term(3) + " or" + term(4);
    rows.FiltroLinhaIdade[0][0] = term(3);
    rows.FiltroLinhaIdade[0][1] = term(4);
    rows.CampoLinha[0] = "Mas";
    rows.CamposPedidos = {"Mas"};
    rows.FaixaEtaria = {"de 0 a 3 anos de idade", "de 4 a 6 anos de idade"};
    run(rows, {.indicator = 6, .census = "2000", .names = {"Rio Branco"}, .codes = {"120040"}});
    auto table = workTable();
    EXPECT_EQ(columns, (std::vector<std::string>{"Censo", "Localidade", "Idade", "Codigo", "Mas"}));
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table["120040/2000/de 0 a 3 anos"]["Mas"], num(cellValue("120040", 3)));
    EXPECT_EQ(table["120040/2000/de 4 a 6 anos"]["Mas"], num(cellValue("120040", 4)));
    EXPECT_EQ(table["120040/2000/de 4 a 6 anos"]["Localidade"], "AC Rio Branco-2000");
}

TEST_F(RunnerTest, AllMunicipalitiesTakeTheBulkPathAndIgnoreARealLocality)
{
    run(sexRows(), {.indicator = 0, .census = "2000", .names = {"Bahia", "Municípios"}, .codes = {"29", "999999"}});
    auto rows = workTable();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows.count("29/2000"), 0u);
    EXPECT_EQ(rows["292740/2000"]["Localidade"], "BA Salvador-2000");
    EXPECT_EQ(rows["291005/2000"]["Localidade"], "BA Dias d'Ávila-2000");
    EXPECT_EQ(rows["110012/2000"]["Mas"], num(cellValue("110012", 1)));
    // The bulk insert writes a zero as it is.
    EXPECT_EQ(rows["292740/2000"]["Fem"], num(0));
}

TEST_F(RunnerTest, AllRegionsGetTheirNameWithoutAbbreviation)
{
    run(sexRows(), {.indicator = 0, .census = "1991", .names = {"Regiões"}, .codes = {"987654321"}});
    auto rows = workTable();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows["1/1991"]["Localidade"], " Norte-1991");
    EXPECT_EQ(rows["1888/1991"]["Localidade"], " Norte Urbano-1991");
    EXPECT_EQ(rows["2/1991"]["Mas"], num(cellValue("2", 1) + 1000));
}

TEST_F(RunnerTest, AZeroIsNotWrittenOneLocalityAtATime)
{
    run(sexRows(), {.indicator = 0, .census = "2000", .names = {"Salvador"}, .codes = {"292740"}});
    auto rows = workTable();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows["292740/2000"]["Fem"], "null");
}

TEST_F(RunnerTest, BulkRowsFromSeveralMatrixTablesEndInOneRowPerLocality)
{
    // P02 and P04 move to a second pair of tables that lacks Ji-Paraná and has
    // a municipality of its own; its values are 500 higher.
    const std::vector<Locality> second = {{"0", "Brasil", false},       {"12", "Acre", false},
                                          {"120040", "Rio Branco", true}, {"292740", "Salvador", true},
                                          {"291005", "Dias d'Ávila", true}, {"120020", "Cruzeiro do Sul", true}};
    std::vector<std::vector<Value>> definitions;
    for (int k = 1; k <= 5; ++k) {
        const std::string pair = k == 2 || k == 4 ? "popb2000" : "pop2000";
        definitions.push_back({kColumns[k - 1], kTerms[k - 1], pair + "mi.dbf", pair + "mu.dbf"});
    }
    writeTable(folder / "Indicadores2000.dbf",
               {text("CODIGO", 10), text("INDICADOR", 200), text("TAB_MI2000", 20), text("TAB_MU2000", 20)}, definitions);
    for (bool municipal : {false, true}) {
        std::vector<std::vector<Value>> records;
        for (const auto& l : second)
            if (!l.municipal || municipal)
                records.push_back({l.code, l.name, cellValue(l.code, 2) + 500, cellValue(l.code, 4) + 500});
        writeTable(folder / (std::string("popb2000") + (municipal ? "mu" : "mi") + ".dbf"),
                   {text("CODIGO", 10), text("NIVEL_GEO", 60), number("P02"), number("P04")}, records);
    }
    const QueryRequest all{.indicator = 0, .census = "2000", .names = {"Municípios"}, .codes = {"999999"}};

    run(sexRows(), all);
    auto rows = workTable();
    EXPECT_EQ(order, (std::vector<std::string>{"120040/2000", "110012/2000", "292740/2000", "291005/2000", "120020/2000"}));
    EXPECT_EQ(rows["120040/2000"]["Mas"], num(cellValue("120040", 1)));
    EXPECT_EQ(rows["120040/2000"]["Fem"], num(cellValue("120040", 2) + 500));
    EXPECT_EQ(rows["292740/2000"]["Fem"], num(500));
    EXPECT_EQ(rows["110012/2000"]["Fem"], "null") << "not in the second table";
    EXPECT_EQ(rows["120020/2000"]["Mas"], "null") << "only in the second table";
    EXPECT_EQ(rows["120020/2000"]["Fem"], num(cellValue("120020", 2) + 500));
    EXPECT_EQ(rows["120020/2000"]["Localidade"], "AC Cruzeiro do Sul-2000");

    // Ages broken out: the second group's first row lives in the second table.
    RowSet ages;
    ages.FiltroLinha[0] = term(3) + " or" + term(4);
    ages.FiltroLinhaIdade[0][0] = term(3);
    ages.FiltroLinhaIdade[0][1] = term(4);
    ages.CampoLinha[0] = "Mas";
    ages.FiltroLinha[1] = term(2) + " or" + term(1);
    ages.FiltroLinhaIdade[1][0] = term(2);
    ages.FiltroLinhaIdade[1][1] = term(1);
    ages.CampoLinha[1] = "Fem";
    ages.CamposPedidos = {"Mas", "Fem"};
    ages.FaixaEtaria = {"de 0 a 3 anos de idade", "de 4 a 6 anos de idade"};
    run(ages, all);
    auto table = workTable();
    EXPECT_EQ(table.size(), 10u);
    EXPECT_EQ(table["120040/2000/de 0 a 3 anos"]["Mas"], num(cellValue("120040", 3)));
    EXPECT_EQ(table["120040/2000/de 0 a 3 anos"]["Fem"], num(cellValue("120040", 2) + 500));
    EXPECT_EQ(table["120040/2000/de 4 a 6 anos"]["Mas"], num(cellValue("120040", 4) + 500));
    EXPECT_EQ(table["120040/2000/de 4 a 6 anos"]["Fem"], num(cellValue("120040", 1)));
    EXPECT_EQ(table["110012/2000/de 4 a 6 anos"]["Mas"], "null");
    EXPECT_EQ(table["110012/2000/de 4 a 6 anos"]["Fem"], num(cellValue("110012", 1)));
    EXPECT_EQ(table["110012/2000/de 4 a 6 anos"]["Localidade"], "Ji-Paraná-2000");
    EXPECT_EQ(table["120020/2000/de 0 a 3 anos"]["Fem"], num(cellValue("120020", 2) + 500));
}

TEST_F(RunnerTest, PruningKeepsTheCrossSelection)
{
    RowSet rows;
    const std::vector<std::string> campos = {"Mas", "Fem", "Bra", "BraMas", "BraFem"};
    for (int i = 0; i < 5; ++i) {
        rows.FiltroLinha[i] = term(i + 1);
        rows.CampoLinha[i] = campos[i];
    }
    rows.CamposPedidos = {"BraMas", "BraFem"};
    run(rows, {.indicator = 0, .census = "2000", .names = {"Acre"}, .codes = {"12"}});
    workTable();
    EXPECT_EQ(columns, (std::vector<std::string>{"Censo", "Localidade", "Codigo", "BraMas", "BraFem"}));
}

TEST_F(RunnerTest, MigrationToAStateAndARegion)
{
    RowSet rows;
    rows.FiltroLinha[0] = "Indicador = 'Informação de entrada entre duas datas fixas'";
    rows.CampoLinha[0] = "entrada";
    const QueryRequest request{.indicator = 14, .census = "2000", .names = {"Bahia para", "Acre", "Norte"},
                               .codes = {"29", "12", "1"}};
    run(rows, request);
    run(rows, request);   // a second run computes the same regions, once
    EXPECT_EQ(migration.codes, std::vector<std::string>{"1"});
    EXPECT_EQ(migration.conditions,
              std::vector<std::string>{"( codigo = '11' OR  codigo = '12') and   codigo_de = '29'"});
    auto table = workTable();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table["12/2000"]["Localidade"], "Acre-2000");
    EXPECT_EQ(table["12/2000"]["entrada"], num(5));
    EXPECT_EQ(table["1/2000"]["Localidade"], "Norte-2000");
    EXPECT_EQ(table["1/2000"]["entrada"], num(12));
}

TEST_F(RunnerTest, MigrationRegionWithoutRecordsGetsNoRow)
{
    RowSet rows;
    rows.FiltroLinha[0] = "Indicador = 'Informação de entrada entre duas datas fixas'";
    rows.CampoLinha[0] = "entrada";
    // Nothing enters the Nordeste (Bahia) from Bahia itself: the sum is empty.
    run(rows, {.indicator = 14, .census = "2000", .names = {"Bahia para", "Nordeste", "Acre"}, .codes = {"29", "2", "12"}});
    auto table = workTable();
    EXPECT_EQ(table.count("2/2000"), 0u);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table["12/2000"]["entrada"], num(5));
}

TEST_F(RunnerTest, RefusalsBeforeAnyQuery)
{
    RowSet rows = sexRows();
    try {
        run(rows, {.indicator = 14, .census = "2000", .names = {"Bahia para"}, .codes = {"29"}});
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Escolha pelo menos duas localidades, de e para.");
    }
    try {
        run(rows, {.indicator = 0, .census = "2000"});
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Selecione pelo menos uma localidade");
    }
}
