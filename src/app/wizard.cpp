#include "wizard.h"

namespace daxo::app {

Wizard::Wizard(IndicatorPage& indicators, LocalityPage& localities)
    : indicators_(indicators), localities_(localities)
{
    view_.censusLabel = kCensos[0];
}

std::string Wizard::censusText() const { return kCensos.at(view_.censusIndex); }

void Wizard::changed()
{
    if (onChange_)
        onChange_();
}

void Wizard::start()
{
    view_.btVoltar = false;
    passo_ = PassoBoasVindas;
    view_.lblFiltro = false;
}

void Wizard::setCaption(const std::string& text)
{
    view_.caption = text;
    view_.lblResultIndicador = true;
    changed();
}

void Wizard::cbCensoChange(int index)
{
    view_.censusIndex = index;
    view_.censusLabel = censusText();
}

void Wizard::localitySelectionTouched()
{
    releaseOutputPanel();
    view_.btAvancar = true;
    passo_ = PassoLocalidade;
    changed();
}

// Go to the census step. Leaves the output panel, the enabled state of the
// tree and list, and the chosen localities as they are.
void Wizard::passo0()
{
    localities_.clearMunicipioLabel();
    indicators_.setPanelVisible(false);
    view_.painelUnidade = true;
    localities_.setChosenListVisible(false);
    localities_.hideMaps();
    localities_.setHierarchyTreeVisible(false);
    view_.cbCenso = true;
    view_.caption.clear();
    view_.lblResultIndicador = false;
    view_.btVoltar = false;
    view_.banner = 1;
    view_.page = 1;
    view_.imgLogoCentral = true;
    passo_ = PassoCenso;
}

void Wizard::releaseOutputPanel()
{
    view_.pnEscolhaSaida = false;
    localities_.setSelectionEnabled(true);
}

void Wizard::showCensusInStrip()
{
    view_.censusLabel = censusText();
    view_.lblResultCenso = true;
}

// Migration picks origin and destination from its own tree; what was chosen
// for the other indicators does not apply to it.
void Wizard::chooseLocalityTree()
{
    const bool migration = indicators_.indicatorIndex() == kMigracao;
    localities_.setMigrationTreeVisible(migration);
    localities_.setHierarchyTreeVisible(!migration);
    if (migration)
        localities_.clearChosen();
}

void Wizard::forwardToIndicator()
{
    view_.painelUnidade = false;
    view_.banner = 2;
    localities_.setChosenListVisible(false);
    view_.page = 2;
    if (!indicators_.hasIndicator())
        indicators_.selectFirstIndicator();
    view_.lblFiltro = true;
    indicators_.setPanelVisible(true);
    view_.btVoltar = true;
    view_.lblCenso = true;
    showCensusInStrip();
    passo_ = PassoIndicador;
    indicators_.indicatorChanged();
}

void Wizard::forwardToLocality()
{
    if (!indicators_.hasIndicator()) {
        view_.mensagemAmarela = true;
        view_.mensagem = "Selecione um indicador para continuar";
        return;
    }
    view_.mensagem.clear();
    indicators_.leavePage();
    localities_.setHeading("Selecione a Localidade e clique no botão Avançar");
    view_.lblCenso = true;
    view_.cbCenso = false;
    showCensusInStrip();
    view_.banner = 3;
    view_.page = 3;
    localities_.setHierarchyTreeVisible(true);
    view_.btVoltar = true;
    view_.imgLogoCentral = false;
    indicators_.setPanelVisible(false);
    view_.painelUnidade = true;
    passo_ = PassoLocalidade;
    localities_.setChosenListVisible(true);
    chooseLocalityTree();
}

// No check that a locality was chosen: the outputs make it.
void Wizard::forwardToOutput()
{
    view_.pnEscolhaSaida = true;
    localities_.setSelectionEnabled(false);
    view_.btAvancar = false;
    passo_ = PassoSaida;
}

void Wizard::backToIndicator()
{
    localities_.clearMunicipioLabel();
    localities_.setHeading("");
    view_.cbCenso = false;
    showCensusInStrip();
    view_.banner = 2;
    localities_.setHierarchyTreeVisible(true);
    passo_ = PassoIndicador;
    view_.btVoltar = true;
    indicators_.setPanelVisible(true);
    view_.painelUnidade = false;
    view_.page = 2;
}

void Wizard::btAvancarClick()
{
    switch (passo_) {
    case PassoBoasVindas:
        passo0();
        view_.panel4 = false;
        break;
    case PassoCenso: forwardToIndicator(); break;
    case PassoIndicador: forwardToLocality(); break;
    case PassoLocalidade: forwardToOutput(); break;
    default: break;
    }
}

void Wizard::btVoltarClick()
{
    view_.pnaguarde = false;
    releaseOutputPanel();
    view_.btAvancar = true;
    switch (passo_) {
    case PassoIndicador: passo0(); break;
    case PassoLocalidade: backToIndicator(); break;
    case PassoSaida: passo_ = PassoLocalidade; break;
    default: break;
    }
}

void Wizard::btnCensoClick()
{
    passo0();
    view_.panel4 = false;
}

void Wizard::btnIndicadorClick()
{
    view_.panel4 = false;
    switch (passo_) {
    case PassoCenso:
    case PassoIndicador: btAvancarClick(); break;
    case PassoLocalidade: btVoltarClick(); break;
    default: break;
    }
}

void Wizard::btnUnidadeClick()
{
    view_.pnaguarde = false;
    chooseLocalityTree();
    releaseOutputPanel();
    switch (passo_) {
    case PassoCenso:
    case PassoIndicador: btAvancarClick(); break;
    case PassoLocalidade: btVoltarClick(); break;
    default: break;
    }
}

} // namespace daxo::app
