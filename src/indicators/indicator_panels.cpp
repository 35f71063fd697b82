#include "indicator_panels.h"

#include "app/refusal.h"
#include "catalogue.h"

#include <algorithm>
#include <stdexcept>

namespace daxo::indicators {

using app::refuse;

namespace {

// Control names are ASCII; letter case is ignored.
char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

const std::array<const char*, 3> SexRoles{"chkMasculino", "chkFeminino", "chkTodos"};
const std::array<const char*, 3> ColourRoles{"chkBranco", "chkPreto", "chkTodas"};
const std::array<const char*, 2> AgeRoles{"cbFaixaInicialPopulacao", "cbFaixaFinalPopulacao"};
const std::array<const char*, 3> SpouseRoles{"chkConjuge", "chkSemConjuge", "chkTotalConjuge"};

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
    return text;
}

} // namespace

IndicatorPanels::IndicatorPanels() : controls_(buildPanelControls())
{
    // The designed form names indicator 0's sex, colour and age controls and
    // indicator 1's spouse boxes plainly; give them their indexed names.
    indicatorIndex_ = 0;
    AtivaNomes = false;
    UsaSexo = UsaCor = UsaFaixaEtaria = true;
    UsaConjuge = false;
    RenomeiaControles(0, census_);
    UsaSexo = UsaCor = UsaFaixaEtaria = false;
    UsaConjuge = true;
    RenomeiaControles(1, census_);
    UsaConjuge = false;
    indicatorIndex_ = -1;
    IndicadorAnterior = -1;
}

void IndicatorPanels::reset()
{
    auto listener = std::move(onCaptionChanged);
    *this = IndicatorPanels();
    onCaptionChanged = std::move(listener);
}

std::string IndicatorPanels::indicatorText() const
{
    return indicatorIndex_ < 0 ? "" : indicatorInfo(indicatorIndex_).itemText;
}

Control* IndicatorPanels::find(std::string_view name)
{
    auto it = std::find_if(controls_.begin(), controls_.end(), [&](const Control& c) { return sameName(c.name, name); });
    return it == controls_.end() ? nullptr : &*it;
}

const Control* IndicatorPanels::find(std::string_view name) const
{
    return const_cast<IndicatorPanels*>(this)->find(name);
}

Control& IndicatorPanels::control(std::string_view name)
{
    if (Control* c = find(name)) return *c;
    throw std::logic_error("controle inexistente: " + std::string(name));
}

bool IndicatorPanels::ticked(std::string_view role) const
{
    const Control* c = find(role);
    return c && c->checked;
}

int IndicatorPanels::itemIndex(std::string_view role) const
{
    const Control* c = find(role);
    return c ? c->itemIndex : -1;
}

void IndicatorPanels::RenomeiaControles(int index, const std::string& censo)
{
    // Binding follows the current choice; releasing names what was bound.
    const int n = AtivaNomes ? indicatorIndex_ : index;
    const std::string censusText = AtivaNomes ? census_ : censo;
    const std::string suffix = std::to_string(n);
    auto rename = [&](const std::string& role, const std::string& indexedName, bool onlyExisting) {
        if (AtivaNomes) {
            if (Control* c = find(indexedName)) c->name = role;
            else if (!onlyExisting) throw std::logic_error("controle inexistente: " + indexedName);
        } else if (Control* c = find(role)) {
            c->name = indexedName;
        }
    };
    if (UsaSexo)
        for (const char* role : SexRoles) rename(role, role + suffix, false);
    if (UsaCor)
        for (const char* role : ColourRoles) rename(role, role + suffix, false);
    if (UsaFaixaEtaria) {
        if (n != 7) {
            for (const char* role : AgeRoles) rename(role, role + suffix, false);
        } else if (censusText == "1991" || censusText == "2000") {
            for (const char* role : AgeRoles) rename(role, std::string(role) + "7_" + censusText, false);
        }
    }
    if (UsaConjuge)
        for (const char* role : SpouseRoles) rename(role, role + suffix, true);
}

void IndicatorPanels::showPanel(int indicator)
{
    groupVisible_.at(static_cast<std::size_t>(indicator)) = true;
    activePage_ = indicator;
}

void IndicatorPanels::chooseIndicator(int index)
{
    indicatorIndex_ = index;
    cbIndicadoresChange();
}

void IndicatorPanels::cbIndicadoresChange()
{
    const int n = indicatorIndex_;
    if (n < 0 || n >= IndicatorCount) return;
    if (census_ == "1991 e 2000" && (n == 7 || n == 13)) {
        indicatorIndex_ = IndicadorAnterior;
        refuse(n == 7 ? "Não é possível buscar informações de taxa de freqüência do censo de 1991 e 2000 juntas, "
                        "levantamentos diferenciados"
                      : "Não é possível buscar informações de portadores de deficiência do censo de 1991 e 2000 "
                        "juntas, levantamentos diferenciados");
    }
    notesVisible_ = false;
    notes_.clear();
    groupVisible_.fill(false);
    notesVisible_ = true;

    AtivaNomes = false;
    if (IndicadorAnterior != -1) RenomeiaControles(IndicadorAnterior, CensoAnterior);

    const IndicatorInfo& info = indicatorInfo(n);
    UsaSexo = info.usaSexo;
    UsaCor = info.usaCor;
    UsaFaixaEtaria = info.usaFaixaEtaria;
    UsaConjuge = info.usaConjuge;
    showPanel(n);
    notes_ = joinLines(info.description);
    if (n == 2 && !ticked("RadioLixoColetado") && !ticked("RadioAguaCanalizada") && !ticked("RadioEsgotamentoSanitario"))
        setChecked(control("Desmarca"), true);
    if (n == 7) {   // released above, so both pairs bear their indexed names
        for (const char* year : {"1991", "2000"})
            for (const char* prefix : {"cbFaixaInicialPopulacao", "cbFaixaFinalPopulacao", "lbDe", "lbA"})
                control(std::string(prefix) + "7_" + year).visible = std::to_string(censusYear()) == year;
    }
    if (n == 13) {
        control("cbDeficiencia1991").visible = censusYear() == 1991;
        control("cbDeficiencia2000").visible = censusYear() != 1991;
    }

    AtivaNomes = true;
    RenomeiaControles(n, census_);
    // Recorded before the caption, which may refuse: the binding stands either way.
    IndicadorAnterior = n;
    CensoAnterior = census_;
    MontaFiltro();
}

void IndicatorPanels::setChecked(Control& box, bool checked)
{
    if (box.checked == checked) return;
    box.checked = checked;
    runAction(box);
}

void IndicatorPanels::runAction(Control& c)
{
    switch (c.action) {
    case ControlAction::Rules: chkMasculinoClick(); break;
    case ControlAction::Desmarca: DesmarcaClick(); break;
    case ControlAction::Sanitation: if (c.checked) sanitationClick(c); break;
    case ControlAction::PopulationType: cbTipoPopulacaoClick(); break;
    case ControlAction::None: break;
    }
}

void IndicatorPanels::clickCheckBox(std::string_view name)
{
    Control& box = control(name);
    if (!box.enabled || !box.visible) return;
    box.checked = !box.checked;
    runAction(box);
}

void IndicatorPanels::selectComboItem(std::string_view name, int index)
{
    Control& combo = control(name);
    if (!combo.enabled || index < -1 || index >= static_cast<int>(combo.items.size())) return;
    combo.itemIndex = index;
    combo.droppedDown = false;
    runAction(combo);
}

void IndicatorPanels::clickRadioButton(std::string_view name)
{
    Control& radio = control(name);
    if (!radio.enabled) return;
    for (Control& c : controls_)
        if (c.kind == ControlKind::RadioButton && c.indicator == radio.indicator) c.checked = false;
    radio.checked = true;
    runAction(radio);
}

void IndicatorPanels::selectRadioItem(std::string_view name, int index)
{
    Control& group = control(name);
    if (!group.enabled || index < 0 || index >= static_cast<int>(group.items.size()) || group.itemIndex == index) return;
    group.itemIndex = index;
    runAction(group);
}

void IndicatorPanels::sanitationClick(Control& radio)
{
    static const std::array<std::pair<const char*, const char*>, 3> pairs{{
        {"RadioLixoColetado", "cbLixoColetado"},
        {"RadioAguaCanalizada", "cbAguaCanalizada"},
        {"RadioEsgotamentoSanitario", "cbEsgotamentoSanitario"},
    }};
    control("Desmarca").checked = false;   // without its clearing
    for (const auto& [radioName, comboName] : pairs) {
        Control& combo = control(comboName);
        if (sameName(radio.name, radioName)) {
            if (radio.checked) {
                combo.enabled = true;
                combo.colour = ColourWhite;
                combo.droppedDown = true;
            }
        } else {
            combo.itemIndex = -1;
            combo.enabled = false;
            combo.colour = ColourDisabledGrey;
        }
    }
    chkMasculinoClick();
}

void IndicatorPanels::DesmarcaClick()
{
    for (const char* name : {"cbLixoColetado", "cbAguaCanalizada", "cbEsgotamentoSanitario"}) {
        Control& combo = control(name);
        combo.itemIndex = -1;
        // Disabled as well: an enabled combo without its option ticked would
        // ask for a household condition that no definition has.
        combo.enabled = false;
        combo.colour = ColourDisabledGrey;
        combo.droppedDown = false;
    }
    for (const char* name : {"RadioLixoColetado", "RadioAguaCanalizada", "RadioEsgotamentoSanitario"})
        control(name).checked = false;
}

void IndicatorPanels::cbTipoPopulacaoClick()
{
    const AgeLists& lists = populationTypeAgeLists(control("cbTipoPopulacao").itemIndex);
    Control* first = find("cbFaixaInicialPopulacao");
    Control* last = find("cbFaixaFinalPopulacao");
    if (first && last) {
        first->items = lists.first;
        first->itemIndex = -1;
        last->items = lists.last;
        last->itemIndex = -1;
    }
    MontaFiltro();
}

void IndicatorPanels::publishCaption()
{
    if (onCaptionChanged) onCaptionChanged(caption_);
}

} // namespace daxo::indicators
