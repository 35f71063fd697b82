#pragma once
// What a click, double click or expansion on the locality trees does:
// SelecionaUnidade (highlight, CodigoLocal, tree hint, the municipality
// chooser) and the additions to and removals from the chosen list. The
// widgets pass the events in and receive the side effects through
// SelectionEffects.
#include "chosen_list.h"
#include "locality_tree.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace daxo::localities {

constexpr int kMigrationIndicator = 14;

struct Highlight {
    enum class Call { None, Pintaqui, PintaquiEstado };
    Call call = Call::None;
    std::string valor;
    std::string camada;
    std::uint32_t cor = kNoHighlight;   // 0xRRGGBB
};

// The highlight of a node of the hierarchy tree, and of a code of the
// migration tree.
Highlight highlightFor(const TreeNode& node);
Highlight highlightForCode(int code);

// The hint TreeView1 takes for the node, when it changes it.
std::optional<std::string> treeHintFor(const TreeNode& node);
extern const char* const kHintBrasil;

// Reading the municipality table failed: unlike the map side, this reaches
// the user.
class MunicipalityTableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SelectionEffects {
public:
    virtual ~SelectionEffects() = default;

    virtual void Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t cor) = 0;
    virtual void PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t cor) = 0;
    virtual void setTreeHint(const std::string& text) = 0;
    // cbSelecao, lblCodLocal and lblLimpar shown.
    virtual void showChosenList() = 0;
    // TfrmEscolheMunicipio for the state, modal; returns when it closes.
    // May throw MunicipalityTableError.
    virtual void openMunicipalityChooser(const State& state, const std::string& caption) = 0;
    // Wizard: release the output panel, show "Avançar", PassoAtual := 3.
    virtual void selectionTouched() = 0;
    // MontaFiltro.
    virtual void rebuildCaption() = 0;
    // Index of the selected indicator, -1 when none.
    virtual int indicatorIndex() const = 0;
    // "Mostrar nomes" unticked (running its click action when it was ticked).
    virtual void untickShowNames() = 0;
    virtual void setMapToolbarVisible(bool visible) = 0;
};

class LocalitySelection {
public:
    explicit LocalitySelection(SelectionEffects& effects) : effects_(effects) {}

    const std::string& CodigoLocal() const { return codigoLocal_; }
    ChosenList& chosen() { return chosen_; }
    const ChosenList& chosen() const { return chosen_; }

    // mode 1: number is a TreeView1 position; mode 2: a TreeView2 code.
    void SelecionaUnidade(const std::string& text, int number, int mode);

    // Events of TreeView1, by the position of its selected node (-1: none).
    void TreeView1Click(int selected);
    void TreeView1Expanded(int selected);
    void TreeView1DblClick(int selected);

    // Events of TreeView2, by the position of its selected node (-1: none).
    void TreeView2Click(int selected);
    void TreeView2Expanded(int selected);
    void TreeView2DblClick(int selected);

    void cbSelecaoClick();
    // Double click on cbSelecao and "Limpar Selecionada".
    void cbSelecaoDblClick();
    // "Limpar Todas".
    void lblLimparClick();

private:
    void selectFromHierarchy(const TreeNode& node, const std::string& text);
    void highlight(const Highlight& h);
    std::string composeCode(const TreeNode& node) const;

    SelectionEffects& effects_;
    ChosenList chosen_;
    std::string codigoLocal_;
};

} // namespace daxo::localities
