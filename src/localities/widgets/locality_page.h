#pragma once
// The locality page as the wizard sees it: the selection model, its widget,
// the municipality chooser and the hand-over to the selection map.
#include "app/wizard_pages.h"
#include "localities/locality_selection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::localities {

class LocalityPageWidget;

// The selection map beside the trees (Map1 and Map2), placed in the page's
// map area by whoever builds it.
class SelectionMap {
public:
    virtual ~SelectionMap() = default;
    virtual void Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t cor) = 0;
    virtual void PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t cor) = 0;
    // "Mostrar nomes" changed (by the user or by a tree click).
    virtual void ckMostrarMunicipioClick(bool ticked) = 0;
};

class LocalityPageController : public app::LocalityPage, private SelectionEffects {
public:
    using Runner = std::function<void(const std::function<void()>&)>;

    // `run` performs a widget's user action and reports its refusal (the
    // main window passes daxo::app::runAction).
    // `dataModule` gives the data module whose qryTemp the chooser uses;
    // `rebuildCaption` is MontaFiltro of the indicator page.
    LocalityPageController(std::function<platform::DataModule&()> dataModule, std::function<void()> rebuildCaption,
                           Runner run);
    ~LocalityPageController() override;

    // app::LocalityPage
    void attach(app::WizardHost& host) override { host_ = &host; }
    QWidget* widget() override;
    void setHierarchyTreeVisible(bool visible) override;
    void setMigrationTreeVisible(bool visible) override;
    void setSelectionEnabled(bool enabled) override;
    void setChosenListVisible(bool visible) override;
    void hideMaps() override;
    void clearChosen() override;
    // The chosen list of a saved query, as it was.
    void restoreChosen(const std::vector<std::string>& texts, const std::vector<std::string>& codes);
    void clearMunicipioLabel() override;
    void setHeading(const std::string& text) override;

    // What the query runner and the outputs read.
    const ChosenList& chosen() const { return selection_.chosen(); }
    // The migration lists, cleared and refilled by each run.
    MigrationLists& migrationLists() { return selection_.chosen().migration; }
    const std::string& CodigoLocal() const { return selection_.CodigoLocal(); }
    // The layer last highlighted.
    const std::string& CamadaAtual() const { return camadaAtual_; }

    LocalityPageWidget& page() { return *widget_; }
    LocalitySelection& selection() { return selection_; }
    void setSelectionMap(SelectionMap* map) { map_ = map; }

private:
    // SelectionEffects
    void Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t cor) override;
    void PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t cor) override;
    void setTreeHint(const std::string& text) override;
    void showChosenList() override;
    void openMunicipalityChooser(const State& state, const std::string& caption) override;
    void selectionTouched() override;
    void rebuildCaption() override;
    int indicatorIndex() const override;
    void untickShowNames() override;
    void setMapToolbarVisible(bool visible) override;

    void connectEvents();
    // A user action, with the chosen list shown again afterwards, also after
    // a refusal.
    void act(const std::function<void()>& action);
    void showMap(const std::string& camada);

    LocalitySelection selection_{*this};
    std::function<platform::DataModule&()> dataModule_;
    std::function<void()> rebuildCaption_;
    Runner run_;
    app::WizardHost* host_ = nullptr;
    SelectionMap* map_ = nullptr;
    std::string camadaAtual_;
    std::unique_ptr<LocalityPageWidget> widget_;
};

} // namespace daxo::localities
