#pragma once
// "Salvar consulta…", "Abrir consulta…" and "Exportar…" of the output step.
#include <filesystem>
#include <functional>
#include <optional>

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

// The table just written becomes what "Exportar…" saves.
void keepTableResult(TfrmPrincipal& window, const reports::ReportOutput& report);

enum class FileDialogKind { SalvarConsulta, AbrirConsulta, Exportar };
// Asks for a file; empty when the user gives up.
using QueryFileChooser = std::function<std::optional<std::filesystem::path>(FileDialogKind kind)>;

// By default the choice is made in a Portuguese file dialog.
void wireQueryActions(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                      localities::LocalityPageController& localityPage, QueryFileChooser choose = {});

} // namespace daxo::app
