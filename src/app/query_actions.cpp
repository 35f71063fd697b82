#include "query_actions.h"

#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"
#include "data_module_setup.h"
#include "main_window.h"
#include "platform/file_dialog.h"
#include "reports/report_export.h"
#include "saved_query.h"

#include <algorithm>

namespace daxo::app {

namespace {

ExportableResult& lastResult()
{
    static ExportableResult result;
    return result;
}

std::optional<std::filesystem::path> askForFile(QWidget* parent, FileDialogKind kind)
{
    if (kind == FileDialogKind::Exportar)
        return platform::askForFile(parent, {.title = lastResult().dialogTitle, .filters = lastResult().filters});
    const bool save = kind == FileDialogKind::SalvarConsulta;
    return platform::askForFile(parent, {.title = save ? "Salvar consulta" : "Abrir consulta",
                                         .filters = {"Consultas do DAXO (*.json)"},
                                         .save = save});
}

// The wizard walked from the output step back to the census and forward
// again with the saved choices, as the user would; a refusal on the way
// stops there with its message.
void restoreWizard(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                   localities::LocalityPageController& localityPage, const SavedQuery& query)
{
    // Checked first: a file naming an unknown place leaves the wizard as it was.
    checkLocalities(query, dmDAXO().qryTemp);
    Wizard& wizard = window.wizard();
    while (wizard.passoAtual() > PassoCenso)
        wizard.btVoltarClick();
    const auto census = std::find(kCensos.begin(), kCensos.end(), query.census);
    wizard.cbCensoChange(static_cast<int>(census - kCensos.begin()));
    wizard.btAvancarClick();
    indicatorPage.restore([&](indicators::IndicatorPanels& panels) { restorePanels(panels, query); });
    wizard.btAvancarClick();
    localityPage.restoreChosen(query.names, query.codes);
    wizard.btAvancarClick();
}

} // namespace

void wireQueryActions(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                      localities::LocalityPageController& localityPage, QueryFileChooser choose)
{
    if (!choose)
        choose = [&window](FileDialogKind kind) { return askForFile(&window, kind); };
    window.setQueryAction(AcaoConsulta::Salvar, [&, choose] {
        if (const auto file = choose(FileDialogKind::SalvarConsulta))
            writeQueryFile(*file, captureQuery(indicatorPage.panels(), localityPage.chosen().texts(),
                                               localityPage.chosen().codes()));
    });
    window.setQueryAction(AcaoConsulta::Abrir, [&, choose] {
        if (const auto file = choose(FileDialogKind::AbrirConsulta))
            restoreWizard(window, indicatorPage, localityPage, readQueryFile(*file));
    });
    window.setQueryAction(AcaoConsulta::Exportar, [choose] {
        if (!lastResult().save)
            return;
        if (const auto file = choose(FileDialogKind::Exportar))
            lastResult().save(*file);
    });
}

void keepResult(TfrmPrincipal& window, ExportableResult result)
{
    lastResult() = std::move(result);
    window.setExportEnabled(true);
}

void keepTableResult(TfrmPrincipal& window, const reports::ReportOutput& report)
{
    keepResult(window, {.dialogTitle = "Exportar tabela",
                        .filters = {"Planilha (*.xlsx)", "Texto separado por ponto e vírgula (*.csv)",
                                    "Página com figuras (*.html)"},
                        .save = [report, folder = window.programFolder()](const std::filesystem::path& target) {
                            return reports::exportReport(report, folder, target);
                        }});
}

} // namespace daxo::app
