#pragma once
// "Salvar consulta…", "Abrir consulta…" and "Exportar…" of the output step.
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace daxo::indicators {
class IndicatorPageController;
}
namespace daxo::localities {
class LocalityPageController;
}

namespace daxo::reports {
struct ReportOutput;
}

namespace daxo::app {

class TfrmPrincipal;

// What "Exportar…" saves: the last table, chart or map output, the kinds of
// file it can be saved as, and how one is written (returns the files written,
// throws in Portuguese).
struct ExportableResult {
    QString dialogTitle;
    QStringList filters;   // "Planilha (*.xlsx)"; the first is the default
    std::function<std::vector<std::filesystem::path>(const std::filesystem::path& target)> save;
};
void keepResult(TfrmPrincipal& window, ExportableResult result);
// The table just written becomes what "Exportar…" saves.
void keepTableResult(TfrmPrincipal& window, const reports::ReportOutput& report);

enum class FileDialogKind { SalvarConsulta, AbrirConsulta, Exportar };
// Asks for a file; empty when the user gives up.
using QueryFileChooser = std::function<std::optional<std::filesystem::path>(FileDialogKind kind)>;

// By default the choice is made in a Portuguese file dialog.
void wireQueryActions(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                      localities::LocalityPageController& localityPage, QueryFileChooser choose = {});

} // namespace daxo::app
