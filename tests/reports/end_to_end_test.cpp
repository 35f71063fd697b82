// Queries from the indicator panel to the report pages, on the small sample
// installation written by the generator (Acre, Sergipe and the Distrito
// Federal holding the whole country). Values are checked against the matrix
// tables read directly.
#include "indicators/definition_lookup.h"
#include "platform/dbf_table.h"
#include "platform/file_lookup.h"
#include "platform/formats.h"
#include "platform/safe_files.h"
#include "report_run.h"
#include "reports/table_report.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace daxo;
using namespace daxo::test;

namespace {

fs::path installationFolder()
{
    return fs::temp_directory_path() / ("daxo_e2e_" + std::to_string(::getpid()));
}

// A fresh copy for every test: some tests plant values in the tables.
fs::path freshInstallation() { return freshSmallInstallation(installationFolder()); }

class InstallationCleanup : public ::testing::Environment {
public:
    void TearDown() override { fs::remove_all(installationFolder()); }
};
const auto* const cleanup = ::testing::AddGlobalTestEnvironment(new InstallationCleanup);

class EndToEnd : public ::testing::Test, public ReportRun {
protected:
    EndToEnd() : ReportRun(freshInstallation()) {}
    void TearDown() override { fs::remove_all(folder); }
};

const std::vector<std::string> kSexes = {"chkMasculino", "chkFeminino", "chkTodos"};

// The table of a CSV file: the rows after the first empty line, split at ";"
// (fields in these tests carry no quotes).
std::vector<std::vector<std::string>> csvRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    bool table = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!table) {
            table = line.find_first_not_of(';') == std::string::npos;   // a spreadsheet pads it with ";"
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream fieldsIn(line);
        for (std::string field; std::getline(fieldsIn, field, ';');)
            fields.push_back(field);
        if (!line.empty() && line.back() == ';')
            fields.emplace_back();
        rows.push_back(std::move(fields));
    }
    return rows;
}

// One sheet of a workbook as LibreOffice exports it: ";" between fields,
// numbers with every digit and a decimal point, not as the cells show them.
std::string spreadsheetAsCsv(const fs::path& workbook, const std::string& sheet)
{
    const fs::path out = workbook.parent_path() / "convertido";
    const std::string command = "soffice -env:UserInstallation=file://" + (out / "perfil").string() +
                                " --headless --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1,,1033,false,"
                                "true,false,false,false,-1' --outdir " + out.string() + " " + workbook.string() +
                                " > /dev/null 2>&1";
    const fs::path file = out / (workbook.stem().string() + "-" + sheet + ".csv");
    if (!fs::exists(file)) {   // every sheet is converted at once
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
    return readBytes(file);
}

} // namespace

TEST_F(EndToEnd, TypicalRequestForOneState)
{
    const auto report = run({.boxes = kSexes, .firstAge = 5, .lastAge = 5, .names = {"Sergipe"}, .codes = {"28"}});
    ASSERT_EQ(report.table.columns, (std::vector<std::string>{"Censo", "Localidade", "Codigo", "Mas", "Fem", "Total"}));
    ASSERT_EQ(report.table.rows.size(), 1u);
    EXPECT_EQ(report.row("28/2000")[1].asString(), "SE Sergipe-2000");
    for (const char* column : {"Mas", "Fem", "Total"})
        EXPECT_DOUBLE_EQ(report.value("28/2000", column), matrixValue("2000", condition(column), "28")) << column;

    EXPECT_NE(report.page.find(" Filtro:População de homens,  mulheres e total de 15 a 17 anos de idade<br>"),
              std::string::npos);
    EXPECT_EQ(headerTitles(report.page), (std::vector<std::string>{"Censo", "Localidade", "Homens", "Mulheres", "Total"}));
    const auto cells = rowCells(report.page, "SE Sergipe");
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0], "2000");
    EXPECT_EQ(cells[4], platform::formatFloat("###,###.###", report.value("28/2000", "Total")));
    EXPECT_NE(cells[4].find('.'), std::string::npos) << "thousands are grouped";
    EXPECT_EQ(rowCells(report.rowPage, "SE Sergipe").back(), "100,00");
}

TEST_F(EndToEnd, BothCensusesLookUpRowByRowAndWriteARowPerCensus)
{
    const auto report = run({.census = "1991 e 2000", .boxes = {"chkMasculino", "chkFeminino"}, .names = {"Acre"},
                             .codes = {"12"}});
    ASSERT_EQ(report.lookups.size(), 4u);
    EXPECT_EQ(report.lookups[0], "1991" + condition("Mas"));
    EXPECT_EQ(report.lookups[1], "2000" + condition("Mas"));
    EXPECT_EQ(report.lookups[2], "1991" + condition("Fem"));
    EXPECT_EQ(report.lookups[3], "2000" + condition("Fem"));
    ASSERT_EQ(report.table.rows.size(), 2u);
    for (const std::string census : {"1991", "2000"}) {
        EXPECT_EQ(report.row("12/" + census)[1].asString(), "AC Acre-" + census);
        for (const char* column : {"Mas", "Fem"})
            EXPECT_DOUBLE_EQ(report.value("12/" + census, column), matrixValue(census, condition(column), "12"));
    }
    EXPECT_NE(report.page.find("Censo: 1991 e 2000"), std::string::npos);
    EXPECT_EQ(count(report.page, kDataCell + "AC Acre</p>"), 2u);
    EXPECT_FALSE(report.rowPageWritten) << "no Total column";
    EXPECT_TRUE(report.brazilPageWritten);
}

TEST_F(EndToEnd, AgeGroupsBrokenOutGetTheIdadeLayout)
{
    // Illiteracy from 15 to 24: two groups, rates that cannot be summed.
    const auto report = run({.indicator = 6, .firstAge = 1, .lastAge = 2, .names = {"Distrito Federal"}, .codes = {"53"}});
    ASSERT_EQ(report.table.columns, (std::vector<std::string>{"Censo", "Localidade", "Idade", "Codigo", "Total"}));
    ASSERT_EQ(report.table.rows.size(), 2u);
    const double young = report.value("53/2000/de 15 a 17 anos", "Total");
    EXPECT_DOUBLE_EQ(young, matrixValue("2000", rows.FiltroLinhaIdade[0][0], "53"));
    EXPECT_DOUBLE_EQ(report.value("53/2000/de 18 a 24 anos", "Total"), matrixValue("2000", rows.FiltroLinhaIdade[0][1], "53"));

    EXPECT_EQ(headerTitles(report.page),
              (std::vector<std::string>{"Censo", "Localidade", "Faixa Etária", "População Total"}));
    const auto cells = rowCells(report.page, "DF Distrito Federal");
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[2], "de 15 a 17 anos");
    EXPECT_EQ(cells[3], platform::floatToText(young)) << "not grouped nor rounded";
    EXPECT_FALSE(report.rowPageWritten);
    EXPECT_FALSE(report.brazilPageWritten);
}

TEST_F(EndToEnd, AllMunicipalitiesByTheBulkPathIgnoringARealLocality)
{
    const auto report = run({.boxes = {"chkMasculino", "chkFeminino"},
                             .names = {"Sergipe", "Municípios"},
                             .codes = {"28", "999999"}});
    std::vector<std::string> all;
    for (const char* uf : {"12", "28", "53"})
        for (const auto& code : municipalitiesOf(uf))
            all.push_back(code);
    ASSERT_EQ(report.table.rows.size(), all.size());
    EXPECT_EQ(report.rowOf.count("28/2000"), 0u) << "the state itself is not computed";
    for (const auto& code : {all.front(), all[all.size() / 2], all.back()}) {
        EXPECT_DOUBLE_EQ(report.value(code + "/2000", "Fem"), matrixValue("2000", condition("Fem"), code));
        EXPECT_EQ(report.row(code + "/2000")[1].asString().substr(0, 3),
                  std::string(code.substr(0, 2) == "12" ? "AC " : code.substr(0, 2) == "28" ? "SE " : "DF "));
    }
}

TEST_F(EndToEnd, WholeLevelsWithRowsInDifferentMatrixTables)
{
    // "População ocupada" from 10 years on: the sexes live in different tables.
    const Request ocupada{.indicator = 11, .boxes = {"chkMasculino", "chkFeminino"}, .firstAge = 1, .lastAge = 4};
    rows = chosenRows(ocupada);
    ASSERT_NE(matrixTables("2000", condition("Mas")).front(), matrixTables("2000", condition("Fem")).front());

    auto states = ocupada;
    states.census = "1991 e 2000";
    states.names = {"Unidade da Federação"};
    states.codes = {"12345678"};
    const auto byState = run(states);
    ASSERT_EQ(byState.table.columns, (std::vector<std::string>{"Censo", "Localidade", "Codigo", "Mas", "Fem"}));
    int stateRows = 0;
    for (const auto& row : byState.table.rows) {
        const std::string census = row[0].asString(), code = row[2].asString();
        stateRows += code.size() == 2;
        for (const char* column : {"Mas", "Fem"})
            EXPECT_DOUBLE_EQ(byState.value(code + "/" + census, column), matrixValue(census, condition(column), code))
                << code << "/" << census << " " << column;
    }
    EXPECT_EQ(stateRows, 6) << "three states, two censuses";
    EXPECT_EQ(byState.row("28/1991")[1].asString(), "SE Sergipe-1991");
    EXPECT_EQ(byState.row("28999/2000")[1].asString(), "SE Sergipe Rural-2000");
    EXPECT_GT(byState.value("28/2000", "Fem"), 0);

    auto municipalities = ocupada;
    municipalities.names = {"Municípios"};
    municipalities.codes = {"999999"};
    const auto byMunicipality = run(municipalities);
    // Every municipality of the table the first row reads, in its order.
    std::vector<std::string> all;
    const auto matrix =
        platform::DbfTable::open(platform::findPath(folder / "Bases" / matrixTables("2000", condition("Mas")).front()));
    for (std::size_t r = 0; r < matrix.recordCount(); ++r)
        if (const std::string code = matrix.value(r, matrix.fieldIndex("CODIGO")).asString(); code.size() == 6)
            all.push_back(code);
    ASSERT_EQ(all.size(), municipalitiesOf("12").size() + municipalitiesOf("28").size() + municipalitiesOf("53").size());
    ASSERT_EQ(byMunicipality.table.rows.size(), all.size());
    for (std::size_t r = 0; r < all.size(); ++r) {
        ASSERT_EQ(byMunicipality.table.rows[r][2].asString(), all[r]) << "the matrix table's order";
        for (const char* column : {"Mas", "Fem"})
            EXPECT_DOUBLE_EQ(byMunicipality.value(all[r] + "/2000", column), matrixValue("2000", condition(column), all[r]))
                << all[r] << " " << column;
    }
    const std::string label = byMunicipality.table.rows[0][1].asString();
    EXPECT_EQ(rowCells(byMunicipality.page, label.substr(0, label.size() - 5)).size(), 4u) << "on the page";
}

TEST_F(EndToEnd, PruningKeepsTheCrossOfSexAndColour)
{
    const auto withTotal = run({.boxes = {"chkMasculino", "chkFeminino", "chkTodos", "chkBranco", "chkPreto"},
                                .names = {"Acre"}, .codes = {"12"}});
    EXPECT_EQ(withTotal.table.columns, (std::vector<std::string>{"Censo", "Localidade", "Codigo", "Bra", "BraMas",
                                                                 "BraFem", "Pre", "PreMas", "PreFem"}));
    EXPECT_EQ(headerTitles(withTotal.page),
              (std::vector<std::string>{"Censo", "Localidade", "Branca", "Homens Brancos", "Mulheres Brancas",
                                        "Preta ou Parda", "Homens Pretos ou Pardos", "Mulheres Pretas ou Pardas"}));
    for (const char* column : {"Bra", "BraFem", "PreMas"})
        EXPECT_DOUBLE_EQ(withTotal.value("12/2000", column), matrixValue("2000", condition(column), "12")) << column;
    EXPECT_FALSE(withTotal.rowPageWritten) << "the Total column was pruned";

    const auto withoutTotal = run({.boxes = {"chkMasculino", "chkFeminino", "chkBranco", "chkPreto"},
                                   .names = {"Acre"}, .codes = {"12"}});
    EXPECT_EQ(withoutTotal.table.columns,
              (std::vector<std::string>{"Censo", "Localidade", "Codigo", "BraMas", "BraFem", "PreMas", "PreFem"}));
    EXPECT_EQ(withoutTotal.page.find("p.html"), std::string::npos);
    EXPECT_NE(withoutTotal.page.find("pb.html"), std::string::npos);
}

TEST_F(EndToEnd, MigrationFromAStateToAStateAndARegion)
{
    const auto report = run({.indicator = 14, .boxes = {"chkEntrada", "chkSaida"}, .names = {"Sergipe para", "Acre", "Centro-Oeste"},
                             .codes = {"28", "12", "5"}});
    const auto migrationValue = [this](const std::string& column, const std::string& destination) {
        auto& q = dm->Query1;
        indicators::BuscaIndicador(q, "2000", condition(column));
        const std::string table = q.field("TAB_MI2000").asString();
        const std::string code = q.field("CODIGO").asString();
        q.close();
        return selectOne("SELECT " + code + " FROM \"" + table + "\" WHERE CODIGO = '" + destination +
                         "' AND codigo_de = '28'")
            .asFloat();
    };
    ASSERT_EQ(report.table.rows.size(), 2u);
    EXPECT_EQ(report.row("12/2000")[1].asString(), "Acre-2000");
    EXPECT_EQ(report.row("5/2000")[1].asString(), "Centro-Oeste-2000");
    for (const char* column : {"entrada", "saida"}) {
        EXPECT_DOUBLE_EQ(report.value("12/2000", column), migrationValue(column, "12")) << column;
        // The region's only state in this installation is the Distrito Federal.
        EXPECT_DOUBLE_EQ(report.value("5/2000", column), migrationValue(column, "53")) << column;
    }
    EXPECT_NE(report.page.find(" Do Sergipe para\r\n</strong>"), std::string::npos);
    EXPECT_NE(report.page.find(kDataCell + "Centro-Oeste</p>"), std::string::npos);
    EXPECT_FALSE(report.rowPageWritten);
    EXPECT_FALSE(report.brazilPageWritten);
}

TEST_F(EndToEnd, ZeroAndMissingValues)
{
    const auto acre = municipalitiesOf("12");
    ASSERT_GE(acre.size(), 3u);
    const std::string zero = acre[0], missing = acre[1];
    {
        auto& q = dm->Query1;
        indicators::BuscaIndicador(q, "2000", " Indicador = 'População feminina'");
        const std::string table = q.field("TAB_MU2000").asString();
        const std::string column = q.field("CODIGO").asString();
        q.close();
        execute("UPDATE \"" + table + "\" SET " + column + " = 0 WHERE CODIGO = '" + zero + "'");
        execute("UPDATE \"" + table + "\" SET " + column + " = NULL WHERE CODIGO = '" + missing + "'");
    }
    const auto report = run({.boxes = kSexes, .names = {"Municípios"}, .codes = {"999999"}});
    ASSERT_EQ(condition("Fem"), " Indicador = 'População feminina'");
    EXPECT_DOUBLE_EQ(report.value(zero + "/2000", "Fem"), 0.0);
    EXPECT_TRUE(report.row(missing + "/2000")[4].isNull());

    const auto name = [&report](const std::string& code) {
        const std::string label = report.row(code + "/2000")[1].asString();
        return label.substr(0, label.size() - 5);
    };
    // Main page: a zero written by the bulk insert is an empty cell, a null "-".
    EXPECT_EQ(rowCells(report.page, name(zero)).at(3), "");
    EXPECT_EQ(rowCells(report.page, name(missing)).at(3), "-");
    // Percentage pages: "0.00" for both.
    for (const auto* page : {&report.rowPage, &report.brazilPage}) {
        EXPECT_EQ(rowCells(*page, name(zero)).at(3), "0.00");
        EXPECT_EQ(rowCells(*page, name(missing)).at(3), "0.00");
    }

    // The CSV and the workbook (read back by a spreadsheet program) carry
    // every number of the work table; a missing value stays "-", a zero 0.
    const auto csv = csvRows(report.csv);
    ASSERT_EQ(csv.size(), report.table.rows.size() + 1);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"Censo", "Localidade", "Homens", "Mulheres", "Total"}));
    const auto sheet = csvRows(spreadsheetAsCsv(report.workbook, "Valores"));
    ASSERT_EQ(sheet.size(), csv.size());
    for (std::size_t r = 0; r < report.table.rows.size(); ++r) {
        const auto& row = report.table.rows[r];
        for (std::size_t c = 3; c < row.size(); ++c) {
            const std::string& fromCsv = csv[r + 1][c - 1];
            const std::string& fromSheet = sheet[r + 1][c - 1];
            if (row[c].isNull()) {
                EXPECT_EQ(fromCsv, "-");
                EXPECT_EQ(fromSheet, "-");
                continue;
            }
            std::string point = fromCsv;
            std::replace(point.begin(), point.end(), ',', '.');
            EXPECT_EQ(std::stod(point), row[c].asFloat()) << fromCsv;
            EXPECT_EQ(std::stod(fromSheet), row[c].asFloat()) << fromSheet;
        }
    }
    const std::size_t zeroRow = report.rowOf.at(zero + "/2000") + 1, missingRow = report.rowOf.at(missing + "/2000") + 1;
    EXPECT_EQ(csv[zeroRow][3], "0");
    EXPECT_EQ(sheet[zeroRow][3], "0");
    const auto brazilSheet = csvRows(spreadsheetAsCsv(report.workbook, "Percentual do Brasil"));
    EXPECT_EQ(brazilSheet[zeroRow][3], "0");
    EXPECT_EQ(brazilSheet[missingRow][3], "-");

    // One locality at a time a zero is not written at all.
    const auto single = run({.boxes = kSexes, .names = {"x"}, .codes = {zero}});
    ASSERT_EQ(single.table.rows.size(), 1u);
    EXPECT_TRUE(single.row(zero + "/2000")[4].isNull());
    EXPECT_EQ(rowCells(single.page, name(zero)).at(3), "-");
}

TEST_F(EndToEnd, AllStatesShareOfBrazilSumsToAHundred)
{
    const auto report = run({.boxes = {"chkTodos"}, .names = {"Unidade da Federação"}, .codes = {"12345678"}});
    double pageSum = 0;
    int states = 0;
    for (const auto& row : report.table.rows) {
        const std::string code = row[2].asString();
        if (code.size() != 2)
            continue;
        ++states;
        const std::string label = row[1].asString();
        const auto cells = rowCells(report.brazilPage, label.substr(0, label.size() - 5));
        ASSERT_EQ(cells.size(), 3u) << label;
        pageSum += cellNumber(cells[2]);
    }
    EXPECT_EQ(states, 3);
    // Each share is rounded to two decimals.
    EXPECT_NEAR(pageSum, 100.0, 0.015);
    EXPECT_NE(report.brazilPage.find(" em relação ao Brasil %"), std::string::npos);
}

// The worksheets as the workbook holds them.
std::string sheetsOf(const fs::path& workbook)
{
    const std::string command = "unzip -p '" + workbook.string() + "' 'xl/worksheets/*.xml'";
    std::string xml;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            xml.append(buffer, n);
        ::pclose(pipe);
    }
    return xml;
}

// A Brazilian desktop's locale has a decimal comma: no number the program
// writes (work table, pages, CSV, worksheets) may change with it.
TEST_F(EndToEnd, ADecimalCommaLocaleChangesNoNumberWritten)
{
    const Request request{.indicator = 4, .boxes = kSexes, .names = {"Unidade da Federação"}, .codes = {"12345678"}};
    const auto inC = run(request);
    const std::string sheetsInC = sheetsOf(inC.workbook);
    ASSERT_NE(sheetsInC.find("<v>"), std::string::npos) << "numbers in the sheets (unzip installed?)";
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "pt_BR.UTF-8"))
        GTEST_SKIP() << "the pt_BR.UTF-8 locale is not installed (scripts/deps.sh installs it)";
    const auto inBrazil = run(request);
    const std::string sheetsInBrazil = sheetsOf(inBrazil.workbook);
    std::setlocale(LC_NUMERIC, saved.c_str());

    ASSERT_EQ(inBrazil.table.rows.size(), inC.table.rows.size());
    for (std::size_t r = 0; r < inC.table.rows.size(); ++r)
        for (std::size_t c = 0; c < inC.table.rows[r].size(); ++c)
            EXPECT_EQ(inBrazil.table.rows[r][c].asString(), inC.table.rows[r][c].asString()) << r << "," << c;
    EXPECT_EQ(inBrazil.page, inC.page);
    EXPECT_EQ(inBrazil.csv, inC.csv);
    EXPECT_EQ(sheetsInBrazil, sheetsInC);
}

TEST_F(EndToEnd, ReportFilesThatCannotBeWrittenAreRetriedUnderTheNextNumber)
{
    run({.boxes = {"chkTodos"}, .names = {"Acre"}, .codes = {"12"}});
    reports::TableReportJob job;
    job.context = {.indicator = 0, .indicatorText = "População", .caption = "População total", .census = "2000"};
    job.programFolder = folder / "saida";
    // A folder, not empty, where the worksheet goes.
    fs::create_directories(job.programFolder / "População2.xls" / "dentro");
    int numero = 1;
    reports::TotalBrasil total;
    const fs::path page = reports::MontaRelatorio(*dm, job, numero, total).page;
    EXPECT_EQ(page.filename(), "População3.html");
    EXPECT_EQ(numero, 3);
    EXPECT_FALSE(fs::exists(job.programFolder / "População2.html")) << "the failed attempt leaves no page";
    for (const char* file : {"População3.xls", "População3p.html", "População3pb.xls"})
        EXPECT_TRUE(fs::exists(job.programFolder / file)) << file;

    // A folder that cannot exist: a few attempts, then the message.
    std::ofstream(folder / "arquivo") << "x";
    job.programFolder = folder / "arquivo" / "saida";
    try {
        reports::MontaRelatorio(*dm, job, numero, total);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Não foi possível gravar o relatório na pasta " +
                                              job.programFolder.string(), 0), 0u) << e.what();
    }
    EXPECT_EQ(numero, 8);

    // A full disk: the cause is told, and no file of any attempt is left.
    job.programFolder = folder / "cheia";
    fs::create_directories(job.programFolder);
    {
        const platform::SimulatedWriteFailure full(std::errc::no_space_on_device);
        try {
            reports::MontaRelatorio(*dm, job, numero, total);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "Não foi possível gravar o relatório na pasta " +
                                                 job.programFolder.string() + ": não há espaço livre no disco.");
        }
    }
    EXPECT_TRUE(fs::is_empty(job.programFolder));
}
