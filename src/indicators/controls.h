#pragma once
// The controls of the indicator panels as plain data. A control's name
// changes while its panel is bound: the role names (chkMasculino, …) then
// point at it; released, it bears its indexed name again (chkMasculino3).
#include <string>
#include <vector>

namespace daxo::indicators {

enum class ControlKind { CheckBox, ComboBox, RadioButton, RadioGroup, Label };

// What a user's click or change on the control runs.
enum class ControlAction { None, Rules, Desmarca, Sanitation, PopulationType };

constexpr int ColourWhite = 16777215;
constexpr int ColourDisabledGrey = 15132390;   // red, green and blue 230

struct Control {
    ControlKind kind = ControlKind::Label;
    std::string name;          // current name
    std::string caption;
    std::string hint;
    std::vector<std::string> items;   // combos and radio groups
    int itemIndex = -1;               // combos and radio groups, -1 none
    bool checked = false;             // check boxes and radio buttons
    bool visible = true;
    bool enabled = true;
    int colour = ColourWhite;         // background of combos
    bool droppedDown = false;
    ControlAction action = ControlAction::None;
    int indicator = -1;               // owning panel
    std::string group;                // layout group inside the panel ("sexo", "cor", "idade", …)

    bool hasSelection() const { return itemIndex >= 0 && itemIndex < static_cast<int>(items.size()); }
    std::string text() const { return hasSelection() ? items[static_cast<std::size_t>(itemIndex)] : ""; }
};

// The controls of every panel, in panel order and, inside a panel, in the
// order they are laid out.
std::vector<Control> buildPanelControls();

} // namespace daxo::indicators
