#pragma once
// TfrmPrincipal: the main window, a wizard from census to indicator to
// localities to the form of output. The transitions live in Wizard; this
// window shows what the wizard's view says after every handler.
#include "wizard.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace daxo::app {

// Sequence number of the HTML table reports; 1 when the main window is created.
inline int NumeroRelatorio = 1;

enum class Saida { Tabela, Grafico, Mapa };
// The buttons below the outputs that keep and reuse a query.
enum class AcaoConsulta { Salvar, Abrir, Exportar };

class TfrmPrincipal : public QWidget {
    Q_OBJECT
public:
    TfrmPrincipal(std::unique_ptr<IndicatorPage> indicators, std::unique_ptr<LocalityPage> localities,
                  QWidget* parent = nullptr);
    ~TfrmPrincipal() override;

    Wizard& wizard() { return wizard_; }
    int PassoAtual() const { return wizard_.passoAtual(); }
    int LarguraTela() const { return larguraTela_; }
    bool JanelaAtivada() const { return janelaAtivada_; }

    // Screen width read when the window is shown (tests give their own).
    void setScreenWidthSource(std::function<int()> source) { screenWidth_ = std::move(source); }
    // The folder the reports are written to and the exit clean-up works on
    // (the working directory by default).
    void setProgramFolder(std::filesystem::path folder) { programFolder_ = std::move(folder); }
    const std::filesystem::path& programFolder() const { return programFolder_; }
    // The splash that fades out as this window fades in.
    void setSplash(QWidget* splash) { splash_ = splash; }
    // Loads the selection-map layers when the window is shown; what it
    // throws is shown in the message window.
    void setLayerLoader(std::function<void()> load) { carregaCamadas_ = std::move(load); }
    // What an output button does; each raises a message until it is set.
    void setOutputAction(Saida saida, std::function<void()> action);
    void setQueryAction(AcaoConsulta acao, std::function<void()> action);
    // "Exportar…" waits for a result to export.
    void setExportEnabled(bool enabled);

    // Pumps pending window messages during long work.
    void AtualizaMostrador(const QString& text);
    // Pumps, then starts or stops the waiting animation.
    void Relogio(bool ligado);
    // The application's error handler: stop the animation, hide the waiting
    // panel, show the message window.
    void AppException(const std::exception& error);

    // Shows the view of the wizard (after every handler).
    void mirror();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void crossFade();
    void buildBanner();
    void buildStatusStrip();
    void buildPages();
    void buildOutputPanel(QWidget* page);
    void buildFooter();
    void handle(void (Wizard::*handler)());
    void Timer1Timer();

    std::unique_ptr<IndicatorPage> indicators_;
    std::unique_ptr<LocalityPage> localities_;
    Wizard wizard_;

    std::array<QLabel*, 4> imagens_{};
    QPushButton* btnCenso_ = nullptr;
    QPushButton* btnIndicador_ = nullptr;
    QPushButton* btnUnidade_ = nullptr;
    QLabel* lblFiltro_ = nullptr;
    QLabel* lblResultIndicador_ = nullptr;
    QLabel* lblCenso_ = nullptr;
    QLabel* lblResultCenso_ = nullptr;
    QLabel* panel4_ = nullptr;
    QStackedWidget* pageControl1_ = nullptr;
    QLabel* imgLogoCentral_ = nullptr;
    QComboBox* cbCenso_ = nullptr;
    QWidget* pnEscolhaSaida_ = nullptr;
    QWidget* pnaguarde_ = nullptr;
    std::array<QLabel*, 4> aguarde_{};
    std::array<QToolButton*, 3> saidas_{};
    std::array<std::function<void()>, 3> acoesSaida_;
    std::array<std::function<void()>, 3> acoesConsulta_;
    QPushButton* btExportar_ = nullptr;
    std::function<void()> carregaCamadas_;
    QPushButton* btVoltar_ = nullptr;
    QPushButton* btAvancar_ = nullptr;
    QLabel* lblMensagensSistema_ = nullptr;
    QTimer timer1_;

    std::function<int()> screenWidth_;
    std::filesystem::path programFolder_;
    QWidget* splash_ = nullptr;
    int larguraTela_ = 0;
    bool janelaAtivada_ = false;
    bool shown_ = false;
    bool faded_ = false;
};

} // namespace daxo::app
