// Times whole table reports on the full sample installation: the query run
// and the report pages, against the matrix SELECTs of the same run executed
// directly on the engine (the baseline, measured in the same run).
//   bench_report [installation folder]   (written by daxo_generate when absent)
// (1) every municipality, the nine rows of População (both sexes, Total,
//     both colours) under both censuses: the bulk path;
// (2) the 27 states chosen one by one: the per-locality path.
#include "indicators/definition_lookup.h"
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "platform/data_module.h"
#include "query/bulk_insert.h"
#include "query/locality_clauses.h"
#include "query/query_runner.h"
#include "query/runner_statements.h"
#include "query/text_utils.h"
#include "reports/table_report.h"
#include "timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace daxo;
using bench::median;
using bench::seconds;

namespace {

constexpr int kRounds = 3;

// Runs a statement and reads every field of every record.
std::size_t readAll(platform::Query& q, const std::vector<std::string>& lines)
{
    q.close();
    q.clearSql();
    for (const auto& line : lines)
        q.addLine(line);
    q.open();
    std::size_t cells = 0;
    for (q.first(); !q.eof(); q.next())
        for (int f = 0; f < q.fieldCount(); ++f)
            cells += q.field(f).isNull() ? 0 : 1;
    q.close();
    return cells;
}

struct Workload {
    const char* name;
    std::vector<std::string> names, codes;
};

class Bench {
public:
    explicit Bench(const fs::path& installation) : dm_(installation / "Bases"), out_(installation / "bench_reports")
    {
        panels_.setCensus("1991 e 2000");
        panels_.chooseIndicator(0);
        for (const char* box : {"chkMasculino", "chkFeminino", "chkTodos", "chkBranco", "chkPreto"})
            panels_.clickCheckBox(box);
        panels_.VerificaPasso3();
        rows_ = query::runnerRows(indicators::MontaLinhasIndicador(panels_));
        fs::create_directories(out_);
    }
    ~Bench() { fs::remove_all(out_); }

    // The query run and the report pages, as the "Tabela" button does them;
    // `querySeconds` gets the time of the run alone.
    std::size_t report(const Workload& w, double& querySeconds, reports::ReportFormats formats)
    {
        localities::MigrationLists migration;
        query::QueryRunner runner(dm_, migration);
        querySeconds = seconds([&] {
            runner.ExecutaConsulta(rows_, {.indicator = 0, .census = "1991 e 2000", .names = w.names, .codes = w.codes});
        });
        reports::TableReportJob job;
        job.context = {.indicator = 0, .indicatorText = "População", .caption = panels_.caption(), .census = "1991 e 2000"};
        job.context.buscaRotulo = [this](const std::string& column, std::string& label) {
            query::BuscaRotulo(rows_.CampoLinha, rows_.RotuloLinha, column, label);
        };
        job.totalChoice = {.indicator = 0};
        job.programFolder = out_;
        job.formats = formats;
        reports::TotalBrasil total;
        const auto page = reports::MontaRelatorio(dm_, job, numero_, total).page;
        return fs::file_size(page);
    }

    // The same matrix SELECTs, run directly: the bulk statements without
    // their INSERT head, or statements A and B for the chosen codes.
    std::size_t baseline(const Workload& w, bool bulk)
    {
        std::size_t cells = 0;
        for (const std::string census : {"1991", "2000"}) {
            std::string selectList = query::bulkSelectHead(std::stoi(census), "");
            std::string tableMu;
            for (std::size_t i = 0; i < rows_.FiltroLinha.size(); ++i) {
                if (rows_.FiltroLinha[i].empty())
                    continue;
                const auto [expression, tabMi, tabMu] = definition(census, rows_.FiltroLinha[i]);
                if (bulk) {
                    selectList += "," + expression;
                    tableMu = tabMu;
                    continue;
                }
                const std::string filter = query::chosenLocalityFilter(w.codes);
                cells += readAll(dm_.qryDinSistema,
                                 query::matrixStatement(query::MatrixTable::Mi, false, expression, tabMi, filter));
                cells += readAll(dm_.qryDinSistema,
                                 query::matrixStatement(query::MatrixTable::Mu, false, expression, tabMu, filter));
            }
            if (bulk) {
                auto lines = query::bulkInsertLines(std::stoi(census), "", selectList, tableMu,
                                                    {.todosMunicipios = true});
                lines.front().erase(0, 1);   // the ")" closing the absent insert head
                cells += readAll(dm_.qryDinSistema, lines);
            }
        }
        return cells;
    }

private:
    struct Definition {
        std::string expression, tabMi, tabMu;
    };
    Definition definition(const std::string& census, const std::string& condition)
    {
        auto& q = dm_.Query1;
        indicators::BuscaIndicador(q, census, condition);
        Definition d{"", q.field("TAB_MI" + census).asString(), q.field("TAB_MU" + census).asString()};
        for (q.first(); !q.eof(); q.next())
            d.expression += (d.expression.empty() ? "" : "+") + q.field("CODIGO").asString();
        q.close();
        return d;
    }

    platform::DataModule dm_;
    fs::path out_;
    indicators::IndicatorPanels panels_;
    query::RowSet rows_;
    int numero_ = 1;
};

fs::path installationFolder(int argc, char** argv)
{
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "daxo_bench_installation";
    if (!fs::exists(folder / "Bases" / "Indicadores2000.dbf")) {
        std::printf("writing the full sample installation into %s\n", folder.c_str());
        const std::string command = std::string(DAXO_GENERATE) + " " + folder.string() + " > /dev/null";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("daxo_generate failed");
    }
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        Bench bench(installationFolder(argc, argv));
        std::vector<std::string> stateNames, stateCodes;
        for (const auto& code : query::stateCodes()) {
            stateNames.push_back("UF " + code);
            stateCodes.push_back(code);
        }
        const Workload workloads[] = {{"all municipalities, bulk path", {"Municípios"}, {query::kAllMunicipalities}},
                                      {"27 states one by one", stateNames, stateCodes}};
        std::printf("%-32s %9s %9s %10s %7s %12s\n", "workload (9 rows x 2 censuses)", "report s", "query s",
                    "SELECTs s", "ratio", "+xlsx+csv s");
        bool bulk = true;
        for (const auto& w : workloads) {
            std::vector<double> report, query, base, spreadsheets;
            std::size_t bytes = 0, cells = 0;
            for (int round = 0; round < kRounds; ++round) {
                base.push_back(seconds([&] { cells = bench.baseline(w, bulk); }));
                double q = 0;
                report.push_back(seconds([&] { bytes = bench.report(w, q, {.workbook = false, .csv = false}); }));
                query.push_back(q);
                spreadsheets.push_back(seconds([&] { bench.report(w, q, {}); }));
            }
            std::printf("%-32s %9.3f %9.3f %10.3f %6.1fx %12.3f   (page %zu bytes, %zu cells read)\n", w.name,
                        median(report), median(query), median(base), median(report) / median(base),
                        median(spreadsheets), bytes, cells);
            bulk = false;
        }
        std::printf("medians of %d rounds; target: the whole-country municipal report under 2 s\n", kRounds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_report: %s\n", e.what());
        return 1;
    }
    return 0;
}
