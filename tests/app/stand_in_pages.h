#pragma once
// Simple pages for the wizard tests: they keep what the wizard asks of them
// as plain state and can be told to refuse.
#include "app/wizard_pages.h"

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QWidget;

namespace daxo::app {

class StandInIndicatorPage : public IndicatorPage {
public:
    StandInIndicatorPage();
    ~StandInIndicatorPage() override;

    void attach(WizardHost& host) override { host_ = &host; }
    QWidget* widget() override { return widget_; }
    void setPanelVisible(bool visible) override;
    bool hasIndicator() const override;
    int indicatorIndex() const override;
    void selectFirstIndicator() override;
    void indicatorChanged() override;
    void leavePage() override;

    // What the page does on the way (a refusal, say).
    std::function<void()> onChange;
    std::function<void()> onLeave;
    bool panelVisible = false;
    int leaveCount = 0;
    QComboBox* cbIndicadores = nullptr;

private:
    WizardHost* host_ = nullptr;
    QWidget* widget_ = nullptr;
    QWidget* painel_ = nullptr;
};

class StandInLocalityPage : public LocalityPage {
public:
    StandInLocalityPage();
    ~StandInLocalityPage() override;

    void attach(WizardHost& host) override { host_ = &host; }
    QWidget* widget() override { return widget_; }
    void setHierarchyTreeVisible(bool visible) override { treeView1 = visible; show(); }
    void setMigrationTreeVisible(bool visible) override { treeView2 = visible; show(); }
    void setSelectionEnabled(bool enabled) override { selectionEnabled = enabled; show(); }
    void setChosenListVisible(bool visible) override { chosenList = visible; show(); }
    void hideMaps() override { maps = false; show(); }
    void clearChosen() override { chosen = 0; show(); }
    void clearMunicipioLabel() override;
    void setHeading(const std::string& text) override { heading = text; show(); }

    // A locality added as a tree double click would add it.
    void choose();

    bool treeView1 = false, treeView2 = false, selectionEnabled = true, chosenList = false, maps = false;
    std::string municipio, heading;
    int chosen = 0;

private:
    void show();

    WizardHost* host_ = nullptr;
    QWidget* widget_ = nullptr;
    QLabel* estado_ = nullptr;
};

} // namespace daxo::app
