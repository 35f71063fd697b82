#include "map_output.h"

#include "data_module_setup.h"
#include "indicators/indicator_panels.h"
#include "main_window.h"
#include "maps/map_preparation.h"
#include "maps/widgets/map_window.h"
#include "query_actions.h"
#include "refusal.h"

namespace daxo::app {

namespace {

// The map as it was when its window closed is what "Exportar…" saves.
void keepMapResult(TfrmPrincipal& window, const maps::FiguraMapa& figura)
{
    keepResult(window, {.dialogTitle = "Exportar mapa",
                        .filters = {"Figura PNG (*.png)", "Figura SVG (*.svg)", "Documento PDF (*.pdf)"},
                        .save = [figura](const std::filesystem::path& target) {
                            maps::gravaFigura(target, figura);
                            return std::vector<std::filesystem::path>{target};
                        }});
}

} // namespace

void bt_MapaClick(TfrmPrincipal& window, const TableOutputInput& input)
{
    auto& wizard = window.wizard();
    const auto rows = query::runnerRows(*input.rows);
    auto& dm = dmDAXO();
    query::QueryRunner runner(dm, *input.migration, [&window](const std::string& text) {
        window.AtualizaMostrador(QString::fromStdString(text));
    });
    const maps::MapRequest request{.choice = {.indicator = input.panels->indicatorIndex(),
                                              .census = wizard.censusText(),
                                              .names = input.names,
                                              .codes = input.codes},
                                   .rows = &rows,
                                   .programa = window.programFolder()};
    const maps::MapHooks hooks{
        .aguarde =
            [&window](bool mostra) {
                if (mostra)
                    window.Relogio(window.JanelaAtivada());
                window.wizard().setWaitingVisible(mostra);
                window.mirror();
                window.AtualizaMostrador({});
            },
        .abreJanela =
            [&](const maps::MapWindowData& data) {
                maps::TfrmMapaBrasil mapa(data, dm, wizard.caption(), wizard.censusText(), &window);
                mapa.onError = [&window](const std::exception& e) { window.AppException(e); };
                mapa.mostraPrimeiraVisao();
                mapa.exec();
                keepMapResult(window, mapa.figura());
            }};
    try {
        maps::bt_MapaClick(dm, runner, request, hooks);
    } catch (const maps::MapRefusal& e) {
        refuse(e.what());
    }
    window.Relogio(false);
}

void wireMapOutput(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                   localities::LocalityPageController& localityPage)
{
    window.setOutputAction(Saida::Mapa, [&window, &indicatorPage, &localityPage] {
        bt_MapaClick(window, outputInput(indicatorPage, localityPage));
    });
}

} // namespace daxo::app
