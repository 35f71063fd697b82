#pragma once
// The indicator page without widgets: cbIndicadores, the fifteen panels with
// their controls, the binding of the chosen panel to the role names, the
// selection rules, the step check and the query caption. Widgets mirror this
// state and forward the user's clicks to it.
#include "controls.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace daxo::indicators {

class IndicatorPanels {
public:
    IndicatorPanels();   // the start state: nothing bound, nothing selected
    void reset();        // back to the start state; the caption's listener stays

    // cbCenso's text, "1991", "2000" or "1991 e 2000", as the page sees it.
    void setCensus(std::string text) { census_ = std::move(text); }
    const std::string& census() const { return census_; }

    // cbIndicadores
    int indicatorIndex() const { return indicatorIndex_; }
    std::string indicatorText() const;
    void selectIndicator(int index) { indicatorIndex_ = index; }   // program-made: no action
    void chooseIndicator(int index);                               // the user's pick
    void cbIndicadoresChange();

    // The user's actions on panel controls; each runs the control's action.
    void clickCheckBox(std::string_view name);
    void selectComboItem(std::string_view name, int index);
    void clickRadioButton(std::string_view name);
    void selectRadioItem(std::string_view name, int index);

    // Program-made tick or untick: runs the box's click action when it changes.
    void setChecked(Control& box, bool checked);

    // Controls by current name, letter case ignored; nullptr when absent.
    Control* find(std::string_view name);
    const Control* find(std::string_view name) const;
    Control& control(std::string_view name);   // throws when absent
    const std::vector<Control>& controls() const { return controls_; }

    // Role reading: an unbound role reads unticked / without selection.
    bool ticked(std::string_view role) const;
    int itemIndex(std::string_view role) const;

    // Binding state
    void RenomeiaControles(int index, const std::string& censo);
    bool AtivaNomes = false;
    int IndicadorAnterior = -1;
    std::string CensoAnterior;
    bool UsaSexo = false, UsaCor = false, UsaFaixaEtaria = false, UsaConjuge = false;

    // Rules, check and caption
    void chkMasculinoClick();
    void VerificaPasso3();
    void MontaFiltro();
    void DesmarcaClick();
    void sanitationClick(Control& radio);
    void cbTipoPopulacaoClick();

    // lblNotas: lines separated by CR LF (the deficiency notes use a lone CR too).
    const std::string& notes() const { return notes_; }
    bool notesVisible() const { return notesVisible_; }

    // lblResultIndicador
    const std::string& caption() const { return caption_; }
    bool captionVisible() const { return captionVisible_; }
    std::function<void(const std::string&)> onCaptionChanged;

    // PageControl2 and the group boxes
    int activePage() const { return activePage_; }
    bool groupVisible(int indicator) const { return groupVisible_.at(static_cast<std::size_t>(indicator)); }
    void showPanel(int indicator);   // page and group box of the indicator

    // The census year of the lists shown (7 and 13): 1991 or 2000.
    int censusYear() const { return census_ == "1991" ? 1991 : 2000; }

private:
    void runAction(Control& c);
    void ruleTotalWithColour();
    void ruleIncomeNotes();
    void ruleSocialSecurity();
    void ruleDeficiencyNotes();
    void FiltroSexo();
    void FiltroCor();
    void FiltroFaixaEtaria();
    void FiltroConjuge();
    void append(const std::string& text) { caption_ += text; }
    void publishCaption();
    bool colourTicked() const;
    bool ageComplete() const;

    std::vector<Control> controls_;
    std::string census_ = "1991";
    int indicatorIndex_ = -1;
    std::string notes_;
    bool notesVisible_ = true;
    std::string caption_;
    bool captionVisible_ = false;
    bool SexoEscrito_ = false;
    int activePage_ = 0;
    std::array<bool, 15> groupVisible_{};
};

} // namespace daxo::indicators
