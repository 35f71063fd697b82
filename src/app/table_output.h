#pragma once
// The table output button: runs the query for the current choice and writes
// the report pages (bt_tabelaClick).
#include "indicators/indicator_rows.h"
#include "query/query_runner.h"
#include "reports/national_totals.h"
#include "reports/table_report.h"

namespace daxo::indicators {
class IndicatorPanels;
class IndicatorPageController;
}

namespace daxo::platform {
struct DataModule;
}

namespace daxo::localities {
class LocalityPageController;
}

namespace daxo::app {

class TfrmPrincipal;

// The panel choices that pick the national total of the percentage pages.
reports::NationalTotalChoice totalChoice(const indicators::IndicatorPanels& panels);

struct TableOutputInput {
    const indicators::IndicatorRows* rows = nullptr;
    const indicators::IndicatorPanels* panels = nullptr;
    std::vector<std::string> names;   // cbSelecao
    std::vector<std::string> codes;   // cbSelecaoCodigo
    localities::MigrationLists* migration = nullptr;   // cbLocalidadeMigracao and its two companions
};

// The current choices of the two pages, as an output button reads them.
TableOutputInput outputInput(indicators::IndicatorPageController& indicatorPage,
                             localities::LocalityPageController& localityPage);

// The national total of the last percentage computed, kept between outputs.
reports::TotalBrasil& totalBrasil();

// The query an output runs, from the window's pages or from a saved query.
struct OutputQuery {
    platform::DataModule* dm = nullptr;
    const indicators::IndicatorRows* rows = nullptr;
    const indicators::IndicatorPanels* panels = nullptr;
    std::string caption;   // lblResultIndicador
    std::string census;    // lblResultCenso
    std::vector<std::string> names, codes;
    localities::MigrationLists* migration = nullptr;
};
// The choices of the window's pages with its caption and census.
OutputQuery windowQuery(TfrmPrincipal& window, const TableOutputInput& input);
// The waiting animation and panel while an output button's query runs.
void showWaiting(TfrmPrincipal& window);

// One table report: the query run and the files, for the window and the
// command line alike.
struct TableRun {
    OutputQuery query;
    std::filesystem::path folder;
    std::function<void(const std::filesystem::path&)> openPage;
    std::function<void(const std::string&)> progress;
    reports::ReportFormats formats;
};
reports::ReportOutput tableReport(const TableRun& run);

void bt_tabelaClick(TfrmPrincipal& window, const TableOutputInput& input);

// Makes the window's "Tabela" button run bt_tabelaClick on the choices of
// the two pages.
void wireTableOutput(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                     localities::LocalityPageController& localityPage);

} // namespace daxo::app
