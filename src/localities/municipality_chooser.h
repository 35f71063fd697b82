#pragma once
// The municipality chooser TfrmEscolheMunicipio without its window: the
// state's municipalities from Municipios2000.dbf, the current row, the
// search and the additions to the chosen list.
#include "chosen_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace daxo::platform {
class Query;
}

namespace daxo::localities {

struct Municipality {
    std::string nome;
    std::string codigo;
};

// The sigla of a UF code; empty for any other code.
std::string siglaOfUf(std::string_view uf);
std::string municipalitiesStatement(const std::string& sigla);

// The search box's letter case: first character upper case, the rest lower
// case; only A to Z change.
std::string searchBoxCase(std::string_view text);

// `name` begins with `prefix`, ignoring letter case and accents.
bool beginsLike(std::string_view name, std::string_view prefix);

class MunicipalityChooser {
public:
    // Runs the statement for the state on `query` (left open, as the grid
    // shows it) and reads its rows. Throws MunicipalityTableError.
    void load(daxo::platform::Query& query, std::string_view uf);

    const std::vector<Municipality>& rows() const { return rows_; }
    // The current row, -1 when there is none.
    int current() const { return current_; }
    void setCurrent(int row);

    // "Adicionar +" and the grid double click: the current row appended, the
    // cursor moved on (staying on the last row).
    void addCurrent(ChosenList& list);
    // "Todos + ": the chosen list replaced by every row.
    void addAll(ChosenList& list) const;
    // "Limpar -".
    static void clearChosen(ChosenList& list) { list.clear(); }

    // The first row, in name order, beginning with `text`; the current row
    // stays when none does or the text is empty.
    void search(std::string_view text);

private:
    std::vector<Municipality> rows_;
    int current_ = -1;
};

} // namespace daxo::localities
