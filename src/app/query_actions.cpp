#include "query_actions.h"

#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"
#include "main_window.h"
#include "reports/report_export.h"
#include "saved_query.h"

#include <QFileDialog>

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
    const bool save = kind != FileDialogKind::AbrirConsulta;
    QFileDialog dialog(parent, kind == FileDialogKind::SalvarConsulta  ? QString("Salvar consulta")
                               : kind == FileDialogKind::AbrirConsulta ? QString("Abrir consulta")
                                                                       : lastResult().dialogTitle);
    // Qt's own dialog, so that every text of it is in Portuguese.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (kind == FileDialogKind::Exportar) {
        dialog.setNameFilters(lastResult().filters);
        dialog.setDefaultSuffix(lastResult().filters.value(0).section("*.", 1).chopped(1));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(filter.section("*.", 1).chopped(1));
        });
    } else {
        dialog.setNameFilter("Consultas do DAXO (*.json)");
        dialog.setDefaultSuffix("json");
    }
    dialog.setLabelText(QFileDialog::LookIn, "Examinar:");
    dialog.setLabelText(QFileDialog::FileName, "Nome do arquivo:");
    dialog.setLabelText(QFileDialog::FileType, "Tipo:");
    dialog.setLabelText(QFileDialog::Accept, save ? "Salvar" : "Abrir");
    dialog.setLabelText(QFileDialog::Reject, "Cancelar");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

// The wizard walked from the output step back to the census and forward
// again with the saved choices, as the user would; a refusal on the way
// stops there with its message.
void restoreWizard(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                   localities::LocalityPageController& localityPage, const SavedQuery& query)
{
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
