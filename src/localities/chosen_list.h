#pragma once
// The chosen-locality list: the parallel lists cbSelecao (texts) and
// cbSelecaoCodigo (locality codes), in the order of addition, and the hidden
// migration lists the query runner fills.
#include <stdexcept>
#include <string>
#include <vector>

namespace daxo::localities {

// A refusal of the user's action, carrying the text shown to the user.
class LocalityRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kAlreadyChosen = "Esta localidade já foi escolhida";
inline constexpr const char* kSelectOne = "Selecione pelo menos um item";
inline constexpr const char* kOriginMark = " para";

// cbLocalidadeMigracao, cbLocalidadeMigracaoCodigo and
// cbLocalidadeMigracaoDescricao: one entry per destination region, rebuilt
// by every run from the current chosen list.
struct MigrationLists {
    std::vector<std::string> conditions;
    std::vector<std::string> codes;
    std::vector<std::string> descriptions;

    void clear();
};

class ChosenList {
public:
    const std::vector<std::string>& texts() const { return texts_; }   // cbSelecao
    const std::vector<std::string>& codes() const { return codes_; }   // cbSelecaoCodigo
    int size() const { return static_cast<int>(texts_.size()); }
    bool empty() const { return texts_.empty(); }
    bool contains(const std::string& code) const;

    // The selected item of cbSelecao, -1 when none.
    int selected() const { return selected_; }
    void select(int index);

    void append(std::string text, std::string code);
    // Refuses a code already in the list.
    void appendNew(std::string text, std::string code);
    // The selected item removed; refuses when none is selected. With
    // `migration`, the new first item becomes the origin. Returns true when
    // a migration list became empty (the caption is rebuilt then).
    bool removeSelected(bool migration);
    // cbSelecao and cbSelecaoCodigo emptied.
    void clear();

    MigrationLists migration;

private:
    std::vector<std::string> texts_;
    std::vector<std::string> codes_;
    int selected_ = -1;
};

} // namespace daxo::localities
