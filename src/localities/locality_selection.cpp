#include "locality_selection.h"

#include <string_view>

namespace daxo::localities {
namespace {

constexpr std::string_view kRegionsLayer = "Regioes";
constexpr std::string_view kStatesLayer = "Estados";
constexpr std::string_view kNothing = "Todos";   // matches no feature

Highlight national(std::string_view valor, std::string_view camada, std::uint32_t cor)
{
    return {Highlight::Call::Pintaqui, std::string(valor), std::string(camada), cor};
}

Highlight ofState(const State& state)
{
    return national(state.mapValue, kStatesLayer, regionOf(state).colour);
}

bool mentions(const std::string& text, std::string_view word) { return text.find(word) != std::string::npos; }

} // namespace

const char* const kHintBrasil = "Seleção da unidade espacial - Atual: Brasil - \rduplo click - adciona item";

Highlight highlightFor(const TreeNode& node)
{
    switch (node.kind) {
    case NodeKind::Brasil:
        return national("Brasil", "Brasil", kNoHighlight);
    case NodeKind::RegionsGroup:
        return national(kNothing, kRegionsLayer, kNoHighlight);
    case NodeKind::Region:
        return national(node.region->mapValue, kRegionsLayer, node.region->colour);
    case NodeKind::StatesGroup:
    case NodeKind::MicroregionsGroup:
    case NodeKind::MunicipalitiesGroup:
        return national(kNothing, kStatesLayer, kNoHighlight);
    case NodeKind::State:
    case NodeKind::MunicipalityState:
        return ofState(*node.state);
    case NodeKind::MicroregionState:
        return {Highlight::Call::PintaquiEstado, std::string(kNothing), std::string(node.state->layerName),
                kNoHighlight};
    case NodeKind::Microregion:
        return {Highlight::Call::PintaquiEstado, microregionMapId(*node.state, node.microregion),
                std::string(node.state->layerName), node.region->colour};
    }
    return {};
}

Highlight highlightForCode(int code)
{
    if (code == 0)
        return national("Brasil", "Brasil", kNoHighlight);
    if (code == kGroupCode)
        return national(kNothing, kStatesLayer, kNoHighlight);
    const std::string text = std::to_string(code);
    if (const Region* region = regionByCode(text))
        return national(region->mapValue, kRegionsLayer, region->colour);
    if (const State* state = stateByUf(text))
        return ofState(*state);
    return {};
}

std::optional<std::string> treeHintFor(const TreeNode& node)
{
    switch (node.kind) {
    case NodeKind::Brasil:
        return kHintBrasil;
    case NodeKind::RegionsGroup:
        return "Seleção da unidade espacial - Atual: Por Região - \rduplo click - adciona item";
    case NodeKind::StatesGroup:
        return "Seleção da unidade espacial - Atual: Por UF - \rduplo click - adciona item";
    case NodeKind::MunicipalitiesGroup:
        return "Seleção da unidade espacial - Atual: Por Municípioduplo click - adciona item";
    default:
        return std::nullopt;
    }
}

void LocalitySelection::highlight(const Highlight& h)
{
    if (h.call == Highlight::Call::Pintaqui)
        effects_.Pintaqui(h.valor, h.camada, h.cor);
    else if (h.call == Highlight::Call::PintaquiEstado)
        effects_.PintaquiEstado(h.valor, h.camada, h.cor);
}

void LocalitySelection::SelecionaUnidade(const std::string& text, int number, int mode)
{
    effects_.showChosenList();
    // Map failures (a layer missing) stay silent; the chooser's table does not.
    try {
        if (mode == 1) {
            const auto tree = hierarchyTree();
            if (number >= 0 && number < static_cast<int>(tree.size()))
                selectFromHierarchy(tree[static_cast<std::size_t>(number)], text);
        } else if (mode == 2) {
            const Highlight h = highlightForCode(number);
            highlight(h);
            if (number == 0)
                effects_.setTreeHint(kHintBrasil);
            codigoLocal_ = std::to_string(number);
        }
    } catch (const MunicipalityTableError&) {
        throw;
    } catch (...) {
    }
}

void LocalitySelection::selectFromHierarchy(const TreeNode& node, const std::string& text)
{
    highlight(highlightFor(node));
    if (!node.code.empty())
        codigoLocal_ = node.code;
    if (const auto hint = treeHintFor(node))
        effects_.setTreeHint(*hint);
    if (node.kind == NodeKind::MunicipalityState)
        effects_.openMunicipalityChooser(*node.state, text);
}

void LocalitySelection::TreeView1Click(int selected)
{
    if (selected < 0)
        return;
    effects_.selectionTouched();
    SelecionaUnidade(hierarchyTree()[static_cast<std::size_t>(selected)].text, selected, 1);
    effects_.untickShowNames();
    effects_.setMapToolbarVisible(!codigoLocal_.empty());
}

void LocalitySelection::TreeView1Expanded(int selected)
{
    if (selected >= 0)
        SelecionaUnidade(hierarchyTree()[static_cast<std::size_t>(selected)].text, selected, 1);
}

std::string LocalitySelection::composeCode(const TreeNode& node) const
{
    const bool underBrasil = node.parent == 0;
    if (mentions(node.text, "Rural"))
        return underBrasil ? "999" : codigoLocal_ + "999";
    if (mentions(node.text, "Urbano"))
        return underBrasil ? "888" : codigoLocal_ + "888";
    if (node.sentinel == kAllStates || node.sentinel == kAllRegions)
        return std::to_string(node.sentinel);
    return codigoLocal_;
}

void LocalitySelection::TreeView1DblClick(int selected)
{
    if (selected < 0)
        return;
    const TreeNode& node = hierarchyTree()[static_cast<std::size_t>(selected)];
    SelecionaUnidade(node.text, selected, 1);
    const int p = node.position;
    const bool groupSentinel = node.sentinel == kAllStates || node.sentinel == kAllRegions;
    const bool candidate = (p != kMicroregionsGroupPosition && codigoLocal_ != "101" && !codigoLocal_.empty() &&
                            p < kMunicipalitiesGroupPosition) ||
                           groupSentinel;
    if (candidate) {
        const std::string code = composeCode(node);
        if (chosen_.contains(code))
            throw LocalityRefusal(kAlreadyChosen);
        if (!code.empty())
            chosen_.append(node.text, code);
    }
    if (p == kMunicipalitiesGroupPosition)
        chosen_.appendNew("Municípios", "999999");
}

void LocalitySelection::TreeView2Click(int selected)
{
    if (selected < 0)
        return;
    const MigrationNode& node = migrationTree()[static_cast<std::size_t>(selected)];
    SelecionaUnidade(node.text, node.code, 2);
    effects_.setMapToolbarVisible(!codigoLocal_.empty());
}

void LocalitySelection::TreeView2Expanded(int selected)
{
    if (selected < 0)
        return;
    const MigrationNode& node = migrationTree()[static_cast<std::size_t>(selected)];
    SelecionaUnidade(node.text, node.code, 2);
}

void LocalitySelection::TreeView2DblClick(int selected)
{
    if (selected < 0)
        return;
    const MigrationNode& node = migrationTree()[static_cast<std::size_t>(selected)];
    const std::string code = std::to_string(node.code);
    if (chosen_.contains(code))
        throw LocalityRefusal(kAlreadyChosen);
    if (node.code == kGroupCode)
        throw LocalityRefusal("As informações para, só podem ser de Unidades da Federação ou Região - escolha a "
                              "região ou escolha uma ou mais UF´s");
    chosen_.append(chosen_.empty() ? node.text + kOriginMark : node.text, code);
}

void LocalitySelection::cbSelecaoClick() { effects_.selectionTouched(); }

void LocalitySelection::cbSelecaoDblClick()
{
    if (chosen_.removeSelected(effects_.indicatorIndex() == kMigrationIndicator))
        effects_.rebuildCaption();
}

void LocalitySelection::lblLimparClick()
{
    effects_.selectionTouched();
    chosen_.clear();
    chosen_.migration.clear();
}

} // namespace daxo::localities
