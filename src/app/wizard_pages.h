#pragma once
// How the wizard of the main window talks to the indicator page and to the
// locality page. Header only: the pages implement these interfaces in their
// own libraries; the main window owns the pages, places their widgets and
// drives them through nothing but these calls. It owns the page objects
// (std::unique_ptr); each page object owns its widget: the window parents the
// widget while it lives and hands it back (setParent(nullptr)) before it
// destroys the page.
//
// Any call may throw (a daxo::app::Refusal or any std::exception carrying a
// Portuguese message); the wizard lets it go to the application's error
// handler, and the transition stops where it was raised.
#include <string>

class QWidget;

namespace daxo::app {

// What the main window offers the pages. Given to a page once, with attach(),
// before the page's first use; it outlives the page.
class WizardHost {
public:
    virtual ~WizardHost() = default;

    // The text of cbCenso: "1991", "2000" or "1991 e 2000".
    virtual std::string censusText() const = 0;

    // The query caption lblResultIndicador of the status strip (MontaFiltro
    // writes it and shows the label); outputs read it back with caption().
    virtual void setCaption(const std::string& text) = 0;
    virtual std::string caption() const = 0;

    // The index of the selected indicator (0..14), -1 when none.
    virtual int indicatorIndex() const = 0;

    // A click on TreeView1 or cbSelecao, or the link "Limpar Todas": hide the
    // output panel, enable the tree and the chosen list, show "Avançar",
    // PassoAtual := 3. The locality page calls it first, then does its own
    // work.
    virtual void localitySelectionTouched() = 0;
};

// The content of TabSheet3: the heading, cbIndicadores, PainelIndicadores
// and lblNotas.
class IndicatorPage {
public:
    virtual ~IndicatorPage() = default;

    virtual void attach(WizardHost& host) = 0;

    // The widget placed in TabSheet3 (718 x 340 available).
    virtual QWidget* widget() = 0;

    // PainelIndicadores shown or hidden.
    virtual void setPanelVisible(bool visible) = 0;

    // The text of cbIndicadores is not empty.
    virtual bool hasIndicator() const = 0;

    // Position 0..14 of the selected indicator in cbIndicadores, -1 when none.
    virtual int indicatorIndex() const = 0;

    // Select indicator 0 ("População") without running the change action;
    // show its panel page TabSheet7 and its group gbPopulacao.
    virtual void selectFirstIndicator() = 0;

    // cbIndicadoresChange: bind the panel, write the description, rebuild the
    // caption through WizardHost::setCaption. May refuse; the selection and
    // binding made before the refusal stay.
    virtual void indicatorChanged() = 0;

    // Leaving the page forward: VerificaPasso3, then MontaLinhasIndicador.
    // A refusal of the check leaves the rows untouched.
    virtual void leavePage() = 0;
};

// The content of TabSheet4: PainelUnidade with lblGeral, LabelMunicipio,
// TreeView1, TreeView2, cbSelecao with its caption and links, Map1, Map2 and
// the map tool bar. The main window lays the output panel pnEscolhaSaida over
// the page's right part (from x = 236) when it shows it.
class LocalityPage {
public:
    virtual ~LocalityPage() = default;

    virtual void attach(WizardHost& host) = 0;

    // The widget placed in TabSheet4 (718 x 340 available): PainelUnidade,
    // which the main window shows and hides.
    virtual QWidget* widget() = 0;

    virtual void setHierarchyTreeVisible(bool visible) = 0;   // TreeView1
    virtual void setMigrationTreeVisible(bool visible) = 0;   // TreeView2

    // TreeView1 and cbSelecao enabled or disabled together.
    virtual void setSelectionEnabled(bool enabled) = 0;

    // cbSelecao, its caption lblCodLocal and the links lblLimpar, lblLimpar1.
    virtual void setChosenListVisible(bool visible) = 0;

    // Map1 and Map2 hidden (with their tool bar); the tree clicks show them.
    virtual void hideMaps() = 0;

    // Empty cbSelecao and cbSelecaoCodigo.
    virtual void clearChosen() = 0;

    // LabelMunicipio emptied; it stays in view for the next locality step.
    virtual void clearMunicipioLabel() = 0;

    // The heading lblGeral ("" clears it).
    virtual void setHeading(const std::string& text) = 0;
};

} // namespace daxo::app
