#pragma once
// TfrmMapaBrasil: the thematic map window. Shows one indicator column of the
// query on a working layer as a class map or, for a single region,
// microregion or municipality, as a highlight map, with its legend, views,
// zoom, pan, identification, printing and pictures.
#include "maps/map_classes.h"
#include "maps/map_picture.h"
#include "maps/map_preparation.h"

#include <QDialog>

#include <array>
#include <exception>
#include <functional>
#include <optional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace daxo::platform {
class MapControl;
class MapLayer;
struct DataModule;
}

namespace daxo::maps {

class TfrmLegenda;

class TfrmMapaBrasil : public QDialog {
public:
    // `legenda` and `censo` are the query caption and census of the main window.
    TfrmMapaBrasil(MapWindowData data, daxo::platform::DataModule& dm, std::string legenda, std::string censo,
                   QWidget* parent = nullptr);
    ~TfrmMapaBrasil() override;

    // Where the window's errors go (the application's handler); a message box
    // when unset.
    std::function<void(const std::exception&)> onError;
    // Opens a saved picture with the desktop's program.
    std::function<void(const std::filesystem::path&)> abreArquivo;

    // Loads and draws the first view before the window shows; throws when its
    // layer cannot be loaded, so that no empty window opens.
    void mostraPrimeiraVisao();
    bool Button1Click();    // class map; false when nothing was drawn
    void ApenasUma();       // highlight map
    void RadioGroup1Click();
    void btEditaLegendaClick();
    void Identify(const std::string& layerName, int x, int y);

    // The map as it shows now, for a picture: it keeps the layers beyond the window.
    FiguraMapa figura() const;

    daxo::platform::MapControl& mapamostra() { return *mapamostra_; }
    const std::string& ArquivoCamadaAtual() const { return ArquivoCamadaAtual_; }
    int PaletaAtual() const { return PaletaAtual_; }
    // The open legend editor (null when none).
    TfrmLegenda* editor() const { return editor_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct LinhaWidgets {
        QLabel* painel;
        QLabel* inicio;
        QLabel* ate;
        QLabel* fim;
    };
    void buildTop();
    void buildLegend();
    void buildSide();
    void buildStrip();
    void buildToolBar();
    void buildBottomBar();
    // Runs a drawing step; false when it failed (the error is reported).
    bool guard(const std::function<void()>& action);
    void report(const std::exception& error);

    void FormShow();
    void desenhaClasses();
    void desenhaDestaque();
    void escondeLinhas();
    void mostraInteira(const daxo::platform::MapLayer& layer);
    void fimComAviso(bool aviso);
    void mostraSemDado(const LinhaLegenda& linha, int classes);
    void mostraLegenda(const Legenda& legenda);
    void ComboBox1Change();
    void Button1111Click();
    void btImpMapaClick();
    void btnImprimirClick();
    void SalvaMapaClick();
    void SalvaLegendaClick();
    std::string colunaAtual() const;
    // The layer of the view on show: ArquivoCamadaAtual without ".dbf".
    std::string camadaAtual() const { return ArquivoCamadaAtual_.substr(0, ArquivoCamadaAtual_.size() - 4); }
    int itemVisao() const;          // rdVisao item, -1 when hidden
    int itemVisaoNacional() const;  // rdVisao2 item, -1 when hidden

    MapWindowData data_;
    std::vector<ItemLegendaFigura> legendaFigura_;
    daxo::platform::DataModule& dm_;
    std::string legenda_, censo_;
    std::string ArquivoCamadaAtual_;
    int posicaoNome_ = 0;
    int PaletaAtual_ = 1;
    bool LegendaEmEdicao = false;
    TfrmLegenda* editor_ = nullptr;
    bool mostrado_ = false;

    QLabel* LabelTopo = nullptr;
    daxo::platform::MapControl* mapamostra_ = nullptr;
    QWidget* Panel1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* PnValorIndicadorUnico = nullptr;
    std::array<LinhaWidgets, kMaxClasses + 1> linhas_{};
    QLabel* PanelSemDado = nullptr;
    QLabel* LabelSemDado = nullptr;
    QWidget* PnMudaLegenda = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* indicadores_ = nullptr;
    QGroupBox* rdVisao = nullptr;
    QButtonGroup* visoes_ = nullptr;
    QGroupBox* rdVisao2 = nullptr;
    QButtonGroup* visoesNacionais_ = nullptr;
    QCheckBox* ckMostrarMunicipio = nullptr;
    QCheckBox* chkMostraLinhas = nullptr;
    QToolButton* btMoveMapa = nullptr;
    QToolButton* btZoomMouse = nullptr;
    QLabel* lblMunicipio = nullptr;
    QPushButton* btCor = nullptr;
    QWidget* PnSalvar = nullptr;
};

} // namespace daxo::maps
