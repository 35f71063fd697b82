#pragma once
// Saved queries: the census, the indicator, every choice on its panel and
// the chosen localities in a small versioned JSON file, written by "Salvar
// consulta…", read back by "Abrir consulta…" and by the command line.
//
//   {
//     "formato": "DAXO consulta",
//     "versao": 1,
//     "censo": "2000",                       // "1991", "2000" or "1991 e 2000"
//     "indicador": 0,                        // position in the indicator list
//     "nomeIndicador": "População",          // for the reader; checked on opening
//     "painel": [                            // the panel's controls, in layout order
//       {"controle": "chkMasculino", "marcado": true},
//       {"controle": "cbFaixaInicialPopulacao", "item": 5}
//     ],
//     "localidades": [{"nome": "Sergipe", "codigo": "28"}]
//   }
//
// Check boxes and radio buttons carry "marcado", lists and radio groups
// "item" (-1: nothing chosen). Names are those the controls bear while the
// panel is in use.
#include "indicators/indicator_panels.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace daxo::platform {
class Query;
}

namespace daxo::app {

inline constexpr int kVersaoConsulta = 1;

// A file that is not a saved query, or one this version cannot read.
class QueryFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PanelSetting {
    std::string control;
    bool toggle = false;   // check box or radio button: `checked`; otherwise `item`
    bool checked = false;
    int item = -1;
};

struct SavedQuery {
    std::string census = "1991";
    int indicator = 0;
    std::string indicatorName;
    std::vector<PanelSetting> panel;
    std::vector<std::string> names, codes;
};

SavedQuery captureQuery(const indicators::IndicatorPanels& panels, const std::vector<std::string>& names,
                        const std::vector<std::string>& codes);

std::string queryJson(const SavedQuery& query);
SavedQuery parseQuery(const std::string& json);   // throws QueryFileError

void writeQueryFile(const std::filesystem::path& path, const SavedQuery& query);   // throws platform::FileError
SavedQuery readQueryFile(const std::filesystem::path& path);                        // throws QueryFileError

// Takes the panel to the saved choices with the user's own actions (so the
// rules run as they ran for the user). `panels` must hold the saved census
// and have the saved indicator chosen. Returns, in Portuguese, each choice
// that could not be restored and why; empty when all were.
std::vector<std::string> applyPanel(indicators::IndicatorPanels& panels, const SavedQuery& query);

// The census, the indicator and its panel as a user sets them on a panel
// first taken back to its start state; throws QueryFileError naming what
// could not be restored.
void restorePanels(indicators::IndicatorPanels& panels, const SavedQuery& query);

// Throws QueryFileError naming each locality of the query that the trees
// and the municipality chooser of this installation do not offer;
// `table` reads the municipalities as the chooser does.
void checkLocalities(const SavedQuery& query, daxo::platform::Query& table);

} // namespace daxo::app
