// A query from the panel to the report pages, on the small sample
// installation written by the generator.
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "platform/data_module.h"
#include "platform/text_codec.h"
#include "query/query_runner.h"
#include "query/text_utils.h"
#include "reports/table_report.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace daxo;

namespace {

const fs::path& installation()
{
    static const fs::path folder = [] {
        fs::path f = fs::temp_directory_path() / ("daxo_e2e_" + std::to_string(::getpid()));
        fs::remove_all(f);
        const std::string command = std::string(DAXO_GENERATE) + " " + f.string() + " --small > /dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return f;
    }();
    return folder;
}

// Removes the installation when the tests end.
class InstallationCleanup : public ::testing::Environment {
public:
    void TearDown() override { fs::remove_all(fs::temp_directory_path() / ("daxo_e2e_" + std::to_string(::getpid()))); }
};
const auto* const cleanup = ::testing::AddGlobalTestEnvironment(new InstallationCleanup);

std::string readUtf8(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return platform::cp1252ToUtf8(s.str());
}

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

struct Report {
    reports::WorkTable table;
    std::string page;
    std::string rowPage;
    std::string brazilPage;
};

Report runPopulation(const std::vector<std::string>& names, const std::vector<std::string>& codes, bool ages)
{
    indicators::IndicatorPanels panels;
    panels.setCensus("2000");
    panels.chooseIndicator(0);
    for (const char* box : {"chkMasculino", "chkFeminino", "chkTodos"})
        panels.clickCheckBox(box);
    if (ages) {
        panels.selectComboItem("cbFaixaInicialPopulacao", 5);   // 15
        panels.selectComboItem("cbFaixaFinalPopulacao", 5);     // 17
    }
    panels.VerificaPasso3();
    const auto rows = query::runnerRows(indicators::MontaLinhasIndicador(panels));

    platform::DataModule dm(installation() / "Bases");
    localities::MigrationLists migration;
    query::QueryRunner runner(dm, migration);
    runner.ExecutaConsulta(rows, {.indicator = 0, .census = "2000", .names = names, .codes = codes});

    const fs::path out = installation() / "reports";
    fs::remove_all(out);
    fs::create_directories(out);
    reports::TableReportJob job;
    job.context = {.indicator = 0, .indicatorText = "População", .caption = panels.caption(), .census = "2000"};
    job.context.buscaRotulo = [&rows](const std::string& column, std::string& label) {
        query::BuscaRotulo(rows.CampoLinha, rows.RotuloLinha, column, label);
    };
    job.programFolder = out;
    int numero = 1;
    reports::TotalBrasil total;
    const auto page = reports::MontaRelatorio(dm, job, numero, total);
    EXPECT_EQ(page.filename(), "População2.html");
    return {reports::readWorkTable(dm), readUtf8(page), readUtf8(out / "População2p.html"),
            readUtf8(out / "População2pb.html")};
}

} // namespace

TEST(EndToEnd, TypicalRequestForOneState)
{
    const auto report = runPopulation({"Sergipe"}, {"28"}, true);
    ASSERT_EQ(report.table.columns, (std::vector<std::string>{"Censo", "Localidade", "Codigo", "Mas", "Fem", "Total"}));
    ASSERT_EQ(report.table.rows.size(), 1u);
    const auto& row = report.table.rows[0];
    EXPECT_EQ(row[1].asString(), "SE Sergipe-2000");
    EXPECT_GT(row[3].asFloat(), 0);
    EXPECT_DOUBLE_EQ(row[3].asFloat() + row[4].asFloat(), row[5].asFloat());

    EXPECT_NE(report.page.find(" Filtro:População de homens,  mulheres e total de 15 a 17 anos de idade<br>"),
              std::string::npos);
    EXPECT_NE(report.page.find("<b>Homens</b>"), std::string::npos);
    EXPECT_NE(report.page.find(">SE Sergipe</p>"), std::string::npos);
    EXPECT_EQ(count(report.rowPage, ">100,00</p>"), 1u);
}

TEST(EndToEnd, AllStatesShareOfBrazilSumsToAHundred)
{
    // The small installation's states hold the whole country.
    const auto report = runPopulation({"Unidade da Federação"}, {"12345678"}, false);
    double pageSum = 0;
    reports::TotalBrasil total;
    const double brasil = total.CalculaTotalBrasil("2000", {.indicator = 0});
    for (const auto& row : report.table.rows)
        if (row[2].asString().size() == 2)
            pageSum += row[5].asFloat() / brasil * 100;
    EXPECT_NEAR(pageSum, 100.0, 0.001);
    EXPECT_NE(report.brazilPage.find(" em relação ao Brasil %"), std::string::npos);
}
