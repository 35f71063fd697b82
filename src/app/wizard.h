#pragma once
// The wizard of the main window as plain state: which step, which banner and
// page, which controls of the shell are shown. The window mirrors it after
// every handler; the pages are driven through their interfaces.
#include "wizard_pages.h"

#include <array>
#include <functional>
#include <string>

namespace daxo::app {

// PassoAtual values.
enum Passo { PassoBoasVindas = 0, PassoCenso, PassoIndicador, PassoLocalidade, PassoSaida };

inline constexpr std::array<const char*, 3> kCensos = {"1991", "2000", "1991 e 2000"};
inline constexpr int kMigracao = 14;

// The shell's own controls, as the window shows them.
struct ShellView {
    int banner = 0;                 // Imagem0 .. Imagem3
    int page = 0;                   // TabSheet1 .. TabSheet4 as 0 .. 3
    bool panel4 = true;             // start hint
    bool lblFiltro = false;
    bool lblResultIndicador = true;
    std::string caption;            // lblResultIndicador
    bool lblCenso = false;
    bool lblResultCenso = false;
    std::string censusLabel;        // lblResultCenso
    bool cbCenso = true;
    int censusIndex = 0;            // cbCenso
    bool imgLogoCentral = true;
    bool painelUnidade = true;
    bool btVoltar = false;
    bool btAvancar = true;
    bool pnEscolhaSaida = false;
    bool pnaguarde = false;
    std::string mensagem = "Velmora";   // lblMensagensSistema
    bool mensagemAmarela = false;       // stays yellow once set
};

class Wizard : public WizardHost {
public:
    Wizard(IndicatorPage& indicators, LocalityPage& localities);

    int passoAtual() const { return passo_; }
    const ShellView& view() const { return view_; }

    // Called after the wizard changed the view on a page's behalf (caption,
    // locality clicks), so that the window can mirror it.
    void setOnChange(std::function<void()> callback) { onChange_ = std::move(callback); }

    // FormShow: back button hidden, step 0, "Filtro:" hidden.
    void start();

    void btAvancarClick();
    void btVoltarClick();
    void btnCensoClick();
    void btnIndicadorClick();
    void btnUnidadeClick();
    void cbCensoChange(int index);

    // Waiting panel of the outputs and the error handler.
    void setWaitingVisible(bool visible) { view_.pnaguarde = visible; }

    // WizardHost
    std::string censusText() const override;
    void setCaption(const std::string& text) override;
    std::string caption() const override { return view_.caption; }
    int indicatorIndex() const override { return indicators_.indicatorIndex(); }
    void localitySelectionTouched() override;

private:
    void passo0();
    void releaseOutputPanel();
    void showCensusInStrip();
    void chooseLocalityTree();
    void forwardToIndicator();
    void forwardToLocality();
    void forwardToOutput();
    void backToIndicator();
    void changed();

    IndicatorPage& indicators_;
    LocalityPage& localities_;
    ShellView view_;
    int passo_ = PassoBoasVindas;
    std::function<void()> onChange_;
};

} // namespace daxo::app
