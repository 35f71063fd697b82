#include "chart_output.h"

#include "charts/chart_data.h"
#include "charts/percentage_copy.h"
#include "charts/widgets/chart_window.h"
#include "data_module_setup.h"
#include "indicators/indicator_panels.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"
#include "main_window.h"
#include "query/text_utils.h"
#include "query_actions.h"
#include "refusal.h"
#include "reports/spreadsheet.h"
#include "reports/table_report.h"

#include <stdexcept>

namespace daxo::app {

namespace {

// GraficoPercentual: the values of the work table's chart copy as
// percentages of the national total of each row's census.
charts::ChartData GraficoPercentual(const OutputQuery& run, const charts::BuscaRotuloFn& buscaRotulo,
                                    const std::optional<std::string>& origin)
{
    const auto choice = totalChoice(*run.panels);
    const auto copy = charts::copiaPercentual(*run.dm, [&choice](const std::string& censo) {
        return totalBrasil().CalculaTotalBrasil(censo, choice);
    });
    return {.header = charts::cabecalhoGrafico(run.census, run.caption, run.panels->indicatorIndex(), run.names),
            .dataLines = reports::sheetTopLines(run.caption, reports::kUnidadePercentualBrasil, run.census, origin),
            .series = charts::montaSeries(copy, buscaRotulo)};
}

} // namespace

Charts buildCharts(const ChartRun& chartRun)
{
    const OutputQuery& run = chartRun.query;
    if (const auto recusa = charts::recusaLocalidades(run.names, run.codes))
        refuse(*recusa);
    if (chartRun.started)
        chartRun.started();
    const auto rows = query::runnerRows(*run.rows);
    const int indicator = run.panels->indicatorIndex();
    const charts::BuscaRotuloFn buscaRotulo = [&rows](const std::string& column, std::string& label) {
        query::BuscaRotulo(rows.CampoLinha, rows.RotuloLinha, column, label);
    };
    query::QueryRunner runner(*run.dm, *run.migration, chartRun.progress);
    runner.ExecutaConsulta(rows, {.indicator = indicator,
                                  .census = run.census,
                                  .names = run.names,
                                  .codes = run.codes,
                                  .modoGrafico = true});

    const auto origin = indicator == charts::kIndicadorMigracao
                            ? std::optional(run.names.empty() ? std::string() : run.names.front())
                            : std::nullopt;
    Charts result;
    result.absolute = {.header = charts::cabecalhoGrafico(run.census, run.caption, indicator, run.names),
                       .dataLines = reports::sheetTopLines(run.caption, "", run.census, origin),
                       .series = charts::montaSeries(reports::readWorkTable(*run.dm), buscaRotulo)};
    if (charts::temGraficoPercentual(indicator))
        result.percentage = GraficoPercentual(run, buscaRotulo, origin);
    return result;
}

ChartOutput::ChartOutput(TfrmPrincipal& window) : window_(window) {}

ChartOutput::~ChartOutput() = default;

// The windows are separate windows owned by the main window, so that closing
// the main window still ends the program while charts are shown.
std::unique_ptr<charts::ChartWindow> ChartOutput::newWindow(charts::ChartKind kind, const charts::ChartData& chart,
                                                            bool switchButton)
{
    auto w = std::make_unique<charts::ChartWindow>(charts::ChartWindowSetup{.kind = kind,
                                                                            .header = chart.header,
                                                                            .dataLines = chart.dataLines,
                                                                            .percentageButton = switchButton,
                                                                            .larguraTela = window_.LarguraTela()},
                                                   chart.series, &window_);
    w->onSwitch = [this, kind] { AlternaGrafico(kind); };
    if (kind == charts::ChartKind::Absolute)
        w->onClose = [this] {
            if (percentage_)
                percentage_->hide();
        };
    w->onShown = [this] {
        window_.wizard().setWaitingVisible(false);
        window_.mirror();
    };
    w->onError = [this](const std::string& text) { window_.AppException(std::runtime_error(text)); };
    return w;
}

void ChartOutput::bt_graficoClick(const TableOutputInput& input)
{
    percentage_.reset();
    absolute_.reset();
    const Charts charts = buildCharts({.query = windowQuery(window_, input),
                                       .started = [this] { showWaiting(window_); },
                                       .progress =
                                           [this](const std::string& text) {
                                               window_.AtualizaMostrador(QString::fromStdString(text));
                                           }});

    absolute_ = newWindow(charts::ChartKind::Absolute, charts.absolute, charts.percentage.has_value());
    if (charts.percentage) {
        percentage_ = newWindow(charts::ChartKind::Percentage, *charts.percentage, true);
        percentage_->show();
    }
    // Shown last, so on top of the percentage window.
    absolute_->show();
    keepResult(window_, {.dialogTitle = "Exportar gráfico",
                         .filters = charts::chartFileFilters(),
                         .save = [chart = charts.absolute](const std::filesystem::path& target) {
                             return charts::exportChart(chart, target);
                         }});
    window_.Relogio(false);
}

void ChartOutput::AlternaGrafico(charts::ChartKind pressedIn)
{
    charts::ChartWindow* from = pressedIn == charts::ChartKind::Absolute ? absolute_.get() : percentage_.get();
    charts::ChartWindow* to = pressedIn == charts::ChartKind::Absolute ? percentage_.get() : absolute_.get();
    if (!to)
        return;
    if (from)
        from->hide();
    to->show();
}

void wireChartOutput(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                     localities::LocalityPageController& localityPage)
{
    auto output = std::make_shared<ChartOutput>(window);
    window.setOutputAction(Saida::Grafico, [output, &indicatorPage, &localityPage] {
        output->bt_graficoClick(outputInput(indicatorPage, localityPage));
    });
}

} // namespace daxo::app
