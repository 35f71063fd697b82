#pragma once
// "Salvar consulta…" and "Abrir consulta…" of the output step.
#include <filesystem>
#include <functional>
#include <optional>

namespace daxo::indicators {
class IndicatorPageController;
}
namespace daxo::localities {
class LocalityPageController;
}

namespace daxo::app {

class TfrmPrincipal;

// Asks for a file: `save` true to write one. Empty when the user gives up.
using QueryFileChooser = std::function<std::optional<std::filesystem::path>(bool save)>;

// By default the choice is made in a Portuguese file dialog.
void wireQueryActions(TfrmPrincipal& window, indicators::IndicatorPageController& indicatorPage,
                      localities::LocalityPageController& localityPage, QueryFileChooser choose = {});

} // namespace daxo::app
