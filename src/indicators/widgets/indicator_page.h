#pragma once
// The indicator page as the wizard sees it: the panels model, its widget and
// the rows built when the user leaves the page.
#include "app/wizard_pages.h"
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"

#include <functional>
#include <memory>

namespace daxo::indicators {

class IndicatorPageWidget;

class IndicatorPageController : public app::IndicatorPage {
public:
    // `run` performs a widget's user action and reports its refusal (the
    // main window passes daxo::app::runAction); by default a message box.
    explicit IndicatorPageController(std::function<void(const std::function<void()>&)> run = {});
    ~IndicatorPageController() override;

    void attach(app::WizardHost& host) override;
    QWidget* widget() override;
    void setPanelVisible(bool visible) override;
    bool hasIndicator() const override { return panels_.indicatorIndex() >= 0; }
    int indicatorIndex() const override { return panels_.indicatorIndex(); }
    void selectFirstIndicator() override;
    void indicatorChanged() override;
    void leavePage() override;

    // A change made on the panels by the program (a saved query restored),
    // shown on the page afterwards.
    void restore(const std::function<void(IndicatorPanels&)>& change);

    // MontaFiltro, for the migration list that becomes empty.
    void rebuildCaption();

    // The rows of the last leavePage(), for the query runner.
    const IndicatorRows& rows() const { return rows_; }
    IndicatorPanels& panels() { return panels_; }

private:
    void syncCensus();
    template <class F> void withRefresh(F&& action);

    IndicatorPanels panels_;
    IndicatorRows rows_;
    app::WizardHost* host_ = nullptr;
    std::unique_ptr<IndicatorPageWidget> widget_;
};

} // namespace daxo::indicators
