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
#include "refusal.h"
#include "reports/table_report.h"

#include <stdexcept>

namespace daxo::app {

// What both windows of one chart output share.
struct ChartOutput::Chart {
    int indicator = 0;
    std::string header;
    charts::BuscaRotuloFn buscaRotulo;
};

ChartOutput::ChartOutput(TfrmPrincipal& window) : window_(window) {}

ChartOutput::~ChartOutput() = default;

void ChartOutput::busy()
{
    window_.wizard().setWaitingVisible(true);
    window_.mirror();
    window_.AtualizaMostrador({});
}

// The windows are separate windows owned by the main window, so that closing
// the main window still ends the program while charts are shown.
std::unique_ptr<charts::ChartWindow> ChartOutput::newWindow(charts::ChartKind kind, const Chart& chart,
                                                            std::vector<charts::ChartSeries> series, bool switchButton)
{
    auto w = std::make_unique<charts::ChartWindow>(
        charts::ChartWindowSetup{.kind = kind,
                                 .header = chart.header,
                                 .percentageButton = switchButton,
                                 .larguraTela = window_.LarguraTela()},
        std::move(series), &window_);
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
    if (const auto recusa = charts::recusaLocalidades(input.names, input.codes))
        refuse(*recusa);

    window_.Relogio(window_.JanelaAtivada());
    busy();
    auto& wizard = window_.wizard();
    const auto rows = query::runnerRows(*input.rows);
    Chart chart;
    chart.indicator = input.panels->indicatorIndex();
    chart.header = charts::cabecalhoGrafico(wizard.censusText(), wizard.caption(), chart.indicator, input.names);
    chart.buscaRotulo = [&rows](const std::string& column, std::string& label) {
        query::BuscaRotulo(rows.CampoLinha, rows.RotuloLinha, column, label);
    };
    auto& dm = dmDAXO();
    query::QueryRunner runner(dm, *input.migration, [this](const std::string& text) {
        window_.AtualizaMostrador(QString::fromStdString(text));
    });
    runner.ExecutaConsulta(rows, {.indicator = chart.indicator,
                                  .census = wizard.censusText(),
                                  .names = input.names,
                                  .codes = input.codes,
                                  .modoGrafico = true});

    const bool withPercentage = charts::temGraficoPercentual(chart.indicator);
    absolute_ = newWindow(charts::ChartKind::Absolute, chart,
                          charts::montaSeries(reports::readWorkTable(dm), chart.buscaRotulo), withPercentage);
    if (withPercentage)
        GraficoPercentual(chart, input);
    // Shown last, so on top of the percentage window.
    absolute_->show();
    window_.Relogio(false);
}

void ChartOutput::GraficoPercentual(const Chart& chart, const TableOutputInput& input)
{
    busy();
    const auto choice = totalChoice(*input.panels);
    const auto copy = charts::copiaPercentual(dmDAXO(), [&choice](const std::string& censo) {
        return totalBrasil().CalculaTotalBrasil(censo, choice);
    });
    percentage_ = newWindow(charts::ChartKind::Percentage, chart, charts::montaSeries(copy, chart.buscaRotulo), true);
    percentage_->show();
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
