#include "table_output.h"

#include "data_module_setup.h"
#include "indicators/indicator_panels.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"
#include "main_window.h"
#include "query_actions.h"
#include "query/text_utils.h"
#include "reports/table_report.h"

#include <QDesktopServices>
#include <QUrl>

namespace daxo::app {

reports::TotalBrasil& totalBrasil()
{
    static reports::TotalBrasil total;
    return total;
}

reports::NationalTotalChoice totalChoice(const indicators::IndicatorPanels& panels)
{
    const auto index = [&](std::string_view name) {
        const auto* c = panels.find(name);
        return c && c->hasSelection() ? c->itemIndex : -1;
    };
    const auto ticked = [&](std::string_view name) {
        const auto* c = panels.find(name);
        return c && c->checked;
    };
    const bool census1991 = panels.census() == "1991";
    return {.indicator = panels.indicatorIndex(),
            .lixoColetado = index("cbLixoColetado"),
            .aguaCanalizada = ticked("RadioAguaCanalizada"),
            .tipoAgua = index("cbAguaCanalizada"),
            .esgotamento = index("cbEsgotamentoSanitario"),
            .criancas = ticked("ckCriancasTotalFamilias"),
            .rendimento = std::max(0, index("cbRendimentoTotalFamilias")),
            .contribui = ticked("chkContribui"),
            .posicao = std::max(0, index("cbPosicaoPopOcupada")),
            .deficiencia = index(census1991 ? "cbDeficiencia1991" : "cbDeficiencia2000")};
}

OutputQuery windowQuery(TfrmPrincipal& window, const TableOutputInput& input)
{
    return {.dm = &dmDAXO(),
            .rows = input.rows,
            .panels = input.panels,
            .caption = window.wizard().caption(),
            .census = window.wizard().censusText(),
            .names = input.names,
            .codes = input.codes,
            .migration = input.migration};
}

reports::ReportOutput tableReport(const TableRun& tableRun)
{
    const OutputQuery& run = tableRun.query;
    const auto rows = query::runnerRows(*run.rows);
    const int indicator = run.panels->indicatorIndex();
    query::QueryRunner runner(*run.dm, *run.migration, tableRun.progress);
    runner.ExecutaConsulta(rows, {.indicator = indicator, .census = run.census, .names = run.names, .codes = run.codes});

    reports::TableReportJob job;
    job.context.indicator = indicator;
    job.context.indicatorText = run.panels->indicatorText();
    job.context.caption = run.caption;
    job.context.census = run.census;
    job.context.migrationOrigin = run.names.empty() ? "" : run.names.front();
    job.context.buscaRotulo = [&rows](const std::string& column, std::string& label) {
        query::BuscaRotulo(rows.CampoLinha, rows.RotuloLinha, column, label);
    };
    job.totalChoice = totalChoice(*run.panels);
    job.programFolder = tableRun.folder;
    job.openPage = tableRun.openPage;
    job.formats = tableRun.formats;
    return reports::MontaRelatorio(*run.dm, std::move(job), NumeroRelatorio, totalBrasil());
}

void showWaiting(TfrmPrincipal& window)
{
    window.Relogio(window.JanelaAtivada());
    window.wizard().setWaitingVisible(true);
    window.mirror();
    window.AtualizaMostrador({});
}

void bt_tabelaClick(TfrmPrincipal& window, const TableOutputInput& input)
{
    auto& wizard = window.wizard();
    showWaiting(window);

    const auto report = tableReport({.query = windowQuery(window, input),
                 .folder = window.programFolder(),
                 .openPage =
                     [](const std::filesystem::path& page) {
                         QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(page.string())));
                     },
                 .progress = [&window](const std::string& text) { window.AtualizaMostrador(QString::fromStdString(text)); }});
    keepTableResult(window, report);

    wizard.setWaitingVisible(false);
    window.mirror();
    window.Relogio(false);
}

TableOutputInput outputInput(indicators::IndicatorPageController& indicatorPage,
                             localities::LocalityPageController& localityPage)
{
    return {.rows = &indicatorPage.rows(),
            .panels = &indicatorPage.panels(),
            .names = localityPage.chosen().texts(),
            .codes = localityPage.chosen().codes(),
            .migration = &localityPage.migrationLists()};
}

void wireTableOutput(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                     localities::LocalityPageController& localityPage)
{
    window.setOutputAction(Saida::Tabela, [&window, &indicatorPage, &localityPage] {
        bt_tabelaClick(window, outputInput(indicatorPage, localityPage));
    });
}

} // namespace daxo::app
