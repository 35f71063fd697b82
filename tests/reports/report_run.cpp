#include "report_run.h"

#include "indicators/definition_lookup.h"
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "platform/text_codec.h"
#include "query/text_utils.h"
#include "reports/table_report.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace daxo::test {

using platform::Value;

void generateInstallation(const fs::path& folder, bool small)
{
    fs::remove_all(folder);
    const std::string command =
        std::string(DAXO_GENERATE) + " " + folder.string() + (small ? " --small" : "") + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

fs::path freshSmallInstallation(const fs::path& folder)
{
    static const fs::path pristine = [&folder] {
        const fs::path f = folder / "pristine";
        generateInstallation(f, true);
        return f;
    }();
    const fs::path copy = folder / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(copy);
    fs::copy(pristine, copy, fs::copy_options::recursive);
    return copy;
}

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string readUtf8(const fs::path& path) { return platform::cp1252ToUtf8(readBytes(path)); }

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

std::vector<std::string> between(const std::string& text, const std::string& open, const std::string& close,
                                 std::size_t from, std::size_t to)
{
    std::vector<std::string> out;
    for (auto p = text.find(open, from); p != std::string::npos && p < to; p = text.find(open, p + 1)) {
        const auto start = p + open.size();
        out.push_back(text.substr(start, text.find(close, start) - start));
    }
    return out;
}

std::vector<std::string> rowCells(const std::string& page, const std::string& locality)
{
    const auto at = page.find(kDataCell + locality + "</p>");
    if (at == std::string::npos)
        return {};
    const auto start = page.rfind("<tr>", at);
    return between(page, kDataCell, "</p>", start, page.find("</tr>", at));
}

std::vector<std::string> headerTitles(const std::string& page)
{
    return between(page, R"(color="black"><b>)", "</b></p></td>");
}

double cellNumber(std::string text)
{
    std::erase(text, '.');
    std::replace(text.begin(), text.end(), ',', '.');
    return std::stod(text);
}

indicators::IndicatorPanels choosePanels(const Request& request)
{
    indicators::IndicatorPanels panels;
    panels.setCensus(request.census);
    panels.chooseIndicator(request.indicator);
    for (const auto& box : request.boxes)
        panels.clickCheckBox(box);
    if (request.firstAge > 0) {
        panels.selectComboItem("cbFaixaInicialPopulacao", request.firstAge);
        panels.selectComboItem("cbFaixaFinalPopulacao", request.lastAge);
    }
    panels.VerificaPasso3();
    return panels;
}

query::RowSet chosenRows(const Request& request)
{
    indicators::IndicatorPanels panels = choosePanels(request);
    return query::runnerRows(indicators::MontaLinhasIndicador(panels));
}

ReportRun::ReportRun(fs::path installation)
    : folder(std::move(installation)), dm(std::make_unique<platform::DataModule>(folder / "Bases"))
{
}

Report ReportRun::run(const Request& request)
{
    indicators::IndicatorPanels panels = choosePanels(request);
    rows = query::runnerRows(indicators::MontaLinhasIndicador(panels));

    Report report;
    localities::MigrationLists migration;
    query::QueryRunner runner(*dm, migration, {},
                              [&report](platform::DataModule& d, const std::string& ano, const std::string& c) {
                                  report.lookups.push_back(ano + c);
                                  indicators::BuscaIndicador(d.Query1, ano, c);
                              });
    runner.ExecutaConsulta(rows, {.indicator = request.indicator,
                                  .census = request.census,
                                  .names = request.names,
                                  .codes = request.codes});

    const fs::path out = folder / "reports";
    fs::create_directories(out);
    reports::TableReportJob job;
    job.context = {.indicator = request.indicator,
                   .indicatorText = panels.indicatorText(),
                   .caption = panels.caption(),
                   .census = request.census,
                   .migrationOrigin = request.names.empty() ? "" : request.names.front()};
    job.context.buscaRotulo = [this](const std::string& column, std::string& label) {
        query::BuscaRotulo(rows.CampoLinha, rows.RotuloLinha, column, label);
    };
    job.totalChoice = {.indicator = request.indicator};
    job.programFolder = out;
    int numero = 1;
    reports::TotalBrasil total;
    const fs::path page = reports::MontaRelatorio(*dm, job, numero, total).page;
    const std::string stem = page.stem().string();

    report.table = reports::readWorkTable(*dm);
    for (std::size_t r = 0; r < report.table.rows.size(); ++r) {
        const auto& row = report.table.rows[r];
        std::string key = row[report.table.firstValueColumn() - 1].asString() + "/" + row[0].asString();
        if (report.table.hasAgeColumn())
            key += "/" + row[2].asString();
        EXPECT_TRUE(report.rowOf.emplace(key, r).second) << "two rows for " << key;
    }
    report.page = readUtf8(page);
    report.rowPageWritten = fs::exists(out / (stem + "p.html"));
    report.brazilPageWritten = fs::exists(out / (stem + "pb.html"));
    report.rowPage = readUtf8(out / (stem + "p.html"));
    report.brazilPage = readUtf8(out / (stem + "pb.html"));
    report.csv = readBytes(out / (stem + ".csv"));
    report.workbook = folder / "ultimo.xlsx";
    fs::copy_file(out / (stem + ".xlsx"), report.workbook, fs::copy_options::overwrite_existing);
    fs::remove_all(out);
    return report;
}

double ReportRun::matrixValue(const std::string& census, const std::string& condition, const std::string& code)
{
    // Each definition record names its own matrix table.
    auto& q = dm->Query1;
    indicators::BuscaIndicador(q, census, condition);
    std::vector<std::pair<std::string, std::string>> cells;
    for (q.first(); !q.eof(); q.next())
        cells.emplace_back(q.field((code.size() == 6 ? "TAB_MU" : "TAB_MI") + census).asString(),
                           q.field("CODIGO").asString());
    q.close();
    double sum = 0;
    for (const auto& [table, column] : cells)
        sum += selectOne("SELECT " + column + " FROM \"" + table + "\" WHERE CODIGO = '" + code + "'").asFloat();
    return sum;
}

// The matrix tables of a condition's definition records, in order.
std::vector<std::string> ReportRun::matrixTables(const std::string& census, const std::string& condition)
{
    auto& q = dm->Query1;
    indicators::BuscaIndicador(q, census, condition);
    std::vector<std::string> tables;
    for (q.first(); !q.eof(); q.next())
        tables.push_back(q.field("TAB_MU" + census).asString());
    q.close();
    return tables;
}

platform::Value ReportRun::selectOne(const std::string& sql)
{
    auto& q = dm->Query4;
    q.close();
    q.clearSql();
    q.addLine(sql);
    q.open();
    EXPECT_FALSE(q.eof()) << sql;
    const Value v = q.eof() ? Value() : q.field(0);
    q.close();
    return v;
}

void ReportRun::execute(const std::string& sql)
{
    auto& q = dm->Query4;
    q.close();
    q.clearSql();
    q.addLine(sql);
    q.execute();
}

std::vector<std::string> ReportRun::municipalitiesOf(const std::string& uf)
{
    auto& q = dm->Query4;
    q.close();
    q.clearSql();
    q.addLine("SELECT codigo FROM Municipios2000 WHERE SUBSTRING(codigo FROM 1 FOR 2) = '" + uf + "'");
    q.open();
    std::vector<std::string> codes;
    for (q.first(); !q.eof(); q.next())
        codes.push_back(q.field(0).asString());
    q.close();
    return codes;
}

std::string ReportRun::condition(const std::string& column) const
{
    for (std::size_t i = 0; i < rows.CampoLinha.size(); ++i)
        if (rows.CampoLinha[i] == column)
            return rows.FiltroLinha[i];
    ADD_FAILURE() << "no row " << column;
    return {};
}


} // namespace daxo::test
