#include "query_actions.h"

#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"
#include "main_window.h"
#include "saved_query.h"

#include <QFileDialog>

#include <algorithm>

namespace daxo::app {

namespace {

std::optional<std::filesystem::path> askForFile(QWidget* parent, bool save)
{
    QFileDialog dialog(parent, save ? "Salvar consulta" : "Abrir consulta");
    // Qt's own dialog, so that every text of it is in Portuguese.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter("Consultas do DAXO (*.json)");
    dialog.setDefaultSuffix("json");
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
        choose = [&window](bool save) { return askForFile(&window, save); };
    window.setQueryAction(AcaoConsulta::Salvar, [&, choose] {
        if (const auto file = choose(true))
            writeQueryFile(*file, captureQuery(indicatorPage.panels(), localityPage.chosen().texts(),
                                               localityPage.chosen().codes()));
    });
    window.setQueryAction(AcaoConsulta::Abrir, [&, choose] {
        if (const auto file = choose(false))
            restoreWizard(window, indicatorPage, localityPage, readQueryFile(*file));
    });
}

} // namespace daxo::app
