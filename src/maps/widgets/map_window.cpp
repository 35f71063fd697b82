// The map window's controls and the handlers that do not draw.
#include "map_window.h"

#include "legend_editor.h"
#include "map_views.h"
#include "platform/image_files.h"
#include "platform/map_control.h"
#include "platform/system_errors.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace daxo::maps {

using platform::MapControl;

namespace {

const QColor kAzulTopo("#14419B");
const QColor kAzulBarra("#2692B8");
const QColor kAzulLegenda("#4AAECE");

QLabel* painel(QWidget* parent, const char* name, const QString& text, const QRect& at)
{
    auto* p = new QLabel(text, parent);
    p->setObjectName(name);
    p->setGeometry(at);
    return p;
}

QPushButton* botao(QWidget* parent, const char* name, const QString& text, const QString& hint, const QRect& at)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setGeometry(at);
    // Enter in the window must not press whichever button comes first.
    b->setAutoDefault(false);
    return b;
}

QToolButton* ferramenta(QWidget* parent, const char* name, const QString& glyph, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(glyph);
    b->setToolTip(hint);
    b->setFixedSize(28, 28);
    return b;
}

// A radio group whose items are numbered from 0 in the button group.
QButtonGroup* itens(QGroupBox* box, const QStringList& texts, bool horizontal)
{
    auto* group = new QButtonGroup(box);
    QBoxLayout* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(box)) : new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 4, 2);
    layout->setSpacing(horizontal ? 6 : 1);
    for (int i = 0; i < texts.size(); ++i) {
        auto* r = new QRadioButton(texts[i], box);
        group->addButton(r, i);
        layout->addWidget(r);
    }
    if (!horizontal)
        layout->addStretch();
    return group;
}

const QString kHintSalvar = "Salva em padrão EMF dentro da pasta do DAXO";

// Legend row k: swatch, start value, "até", end value.
int topoLinha(int k) { return 29 + k * 21; }
QRect geometriaFim(int k) { return QRect(120, topoLinha(k), 73, 18); }

} // namespace

TfrmMapaBrasil::TfrmMapaBrasil(MapWindowData data, daxo::platform::DataModule& dm, std::string legenda,
                               std::string censo, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      data_(std::move(data)), dm_(dm), legenda_(std::move(legenda)), censo_(std::move(censo))
{
    setObjectName("TfrmMapaBrasil");
    setWindowTitle("Mapa");
    setFixedSize(792, 547);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    abreArquivo = [](const std::filesystem::path& file) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    };
    buildTop();
    buildLegend();
    buildSide();
    buildStrip();
    buildBottomBar();
    buildToolBar();
}

TfrmMapaBrasil::~TfrmMapaBrasil() = default;

void TfrmMapaBrasil::buildTop()
{
    auto* PanelTopo = new QWidget(this);
    PanelTopo->setObjectName("PanelTopo");
    PanelTopo->setGeometry(0, 0, 792, 40);
    LabelTopo = painel(PanelTopo, "LabelTopo", {}, QRect(4, 0, 784, 40));
    LabelTopo->setAlignment(Qt::AlignCenter);
    LabelTopo->setWordWrap(true);
    LabelTopo->setFont(QFont("Verdana", 8, QFont::Bold));
    LabelTopo->setStyleSheet("color: #14419B");

    mapamostra_ = new MapControl(this);
    mapamostra_->setObjectName("mapamostra");
    mapamostra_->setGeometry(0, 43, 590, 427);
    mapamostra_->onMouseDown = [this](Qt::MouseButton, int, int) {
        if (btMoveMapa->isChecked())
            mapamostra_->pan();
        else if (btZoomMouse->isChecked())
            mapamostra_->trackRectangle();
    };
    mapamostra_->onMouseMove = [this](int x, int y) {
        guard([&] { Identify(camadaAtual(), x, y); });
    };
    mapamostra_->onExit = [this] { lblMunicipio->clear(); };
}

void TfrmMapaBrasil::buildLegend()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(595, 40, 193, 269);
    auto* Panel5 = painel(Panel1, "Panel5", " Faixas de Valores", QRect(0, 0, 193, 25));
    Panel5->setStyleSheet("background: #4AAECE; color: white; font: bold 8pt 'Arial'");
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName("ComboBox1");
    for (int n = 2; n <= kMaxClasses; ++n)
        ComboBox1->addItem(QString::number(n));
    ComboBox1->setCurrentIndex(3);
    ComboBox1->setGeometry(140, 2, 50, 21);
    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    Edit1 = new QLineEdit("5", Panel1);
    Edit1->setObjectName("Edit1");
    Edit1->hide();
    PnValorIndicadorUnico = painel(Panel1, "PnValorIndicadorUnico", "          Valor do Indicador", QRect(0, 0, 193, 25));
    PnValorIndicadorUnico->setStyleSheet(Panel5->styleSheet());

    const QString valor = "color: #4AAECE; font: bold 9pt 'Times New Roman'";
    for (int k = 0; k <= kMaxClasses; ++k) {
        const int y = topoLinha(k);
        const QString n = QString::number(90 + k);
        auto& l = linhas_[k];
        l.painel = painel(Panel1, qPrintable("Panel" + n), {}, QRect(4, y, 18, 18));
        l.painel->setAutoFillBackground(true);
        l.inicio = painel(Panel1, qPrintable("Label" + n + "I"), {}, QRect(24, y, 72, 18));
        l.ate = painel(Panel1, qPrintable("a" + n), "até", QRect(97, y, 24, 18));
        l.fim = painel(Panel1, qPrintable("Label" + n + "F"), {}, geometriaFim(k));
        l.inicio->setStyleSheet(valor);
        l.fim->setStyleSheet(valor);
        l.ate->setStyleSheet("color: #4AAECE; font: bold 8pt 'MS Sans Serif'");
    }
    PanelSemDado = painel(Panel1, "PanelSemDado", {}, QRect(4, 0, 18, 18));
    PanelSemDado->setAutoFillBackground(true);
    LabelSemDado = painel(Panel1, "LabelSemDado", {}, QRect(24, 0, Panel1->width() - 24, 18));
    LabelSemDado->setStyleSheet(valor);
    escondeLinhas();

    PnMudaLegenda = new QWidget(Panel1);
    PnMudaLegenda->setObjectName("PnMudaLegenda");
    PnMudaLegenda->setGeometry(0, 241, 193, 28);
    auto* btEditaLegenda = botao(PnMudaLegenda, "btEditaLegenda", "Editar legenda", "Muda os valores da Legenda",
                                 QRect(4, 2, 120, 24));
    connect(btEditaLegenda, &QPushButton::clicked, this, [this] { btEditaLegendaClick(); });
    PnMudaLegenda->hide();
}

// The notice that a municipality did not exist in 1991 is longer than any
// value: it takes the first row from the swatch on, and the row below if
// it must wrap.
void TfrmMapaBrasil::fimComAviso(bool aviso)
{
    QLabel* fim = linhas_[0].fim;
    fim->setWordWrap(aviso);
    fim->setAlignment(aviso ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter);
    fim->setGeometry(aviso ? QRect(4, topoLinha(0), Panel1->width() - 4, topoLinha(2) - topoLinha(0) - 3)
                           : geometriaFim(0));
}

// The row of the features outside the classes, right under the last class.
void TfrmMapaBrasil::mostraSemDado(const LinhaLegenda& linha, int classes)
{
    PanelSemDado->move(PanelSemDado->x(), topoLinha(classes));
    LabelSemDado->move(LabelSemDado->x(), topoLinha(classes));
    LabelSemDado->setText(QString::fromStdString(linha.inicio));
    PanelSemDado->setVisible(linha.visivel);
    LabelSemDado->setVisible(linha.visivel);
}

void TfrmMapaBrasil::buildSide()
{
    RadioGroup1 = new QGroupBox("Indicador(es)", this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(597, 308, 193, 239);
    QStringList texts;
    for (const auto& t : data_.RadioGroup1)
        texts << QString::fromStdString(t);
    indicadores_ = itens(RadioGroup1, texts, false);
    for (QAbstractButton* b : indicadores_->buttons())
        static_cast<QRadioButton*>(b)->setFont(QFont("Verdana", 7));
    connect(indicadores_, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
}

void TfrmMapaBrasil::buildStrip()
{
    rdVisao = new QGroupBox("Visão Espacial", this);
    rdVisao->setObjectName("rdVisao");
    rdVisao->setGeometry(0, 470, 300, 42);
    visoes_ = itens(rdVisao, {"Por Micro Região", "Por Município"}, true);
    visoes_->button(1)->setChecked(true);
    rdVisao2 = new QGroupBox("Visão Espacial", this);
    rdVisao2->setObjectName("rdVisao2");
    rdVisao2->setGeometry(0, 470, 300, 42);
    visoesNacionais_ = itens(rdVisao2, {"Por Região", "Por UF", "Por Município"}, true);
    visoesNacionais_->button(1)->setChecked(true);
    for (QButtonGroup* g : {visoes_, visoesNacionais_})
        connect(g, &QButtonGroup::idClicked, this, [this] { guard([this] { FormShow(); }); });

    ckMostrarMunicipio = new QCheckBox("Mostrar nomes", this);
    ckMostrarMunicipio->setObjectName("ckMostrarMunicipio");
    ckMostrarMunicipio->setGeometry(305, 472, 115, 19);
    chkMostraLinhas = new QCheckBox("Mostrar Linhas", this);
    chkMostraLinhas->setObjectName("chkMostraLinhas");
    chkMostraLinhas->setGeometry(305, 491, 115, 19);
    for (QCheckBox* c : {ckMostrarMunicipio, chkMostraLinhas})
        connect(c, &QCheckBox::clicked, this, [this] { RadioGroup1Click(); });

    lblMunicipio = painel(this, "lblMunicipio", {}, QRect(422, 472, 168, 38));
    lblMunicipio->setWordWrap(true);
    lblMunicipio->setFont(QFont("Verdana", 7, QFont::Bold));
    lblMunicipio->setStyleSheet("color: #2692B8");
}

namespace {
// The tool bar lies over the map's left edge.
constexpr int kLarguraFerramentas = 4 + 30 + 4;
}

void TfrmMapaBrasil::mostraInteira(const platform::MapLayer& layer)
{
    // Widened on the left by the tool bar's share, so that a layer as wide
    // as the window starts right of it.
    const platform::MapRectangle e = layer.extent();
    const double folga = e.width() * kLarguraFerramentas / (mapamostra_->width() - kLarguraFerramentas);
    mapamostra_->setExtent({e.left() - folga, e.bottom(), e.right(), e.top()});
}

void TfrmMapaBrasil::buildToolBar()
{
    auto* PainelControleMapa = new QWidget(this);
    PainelControleMapa->setObjectName("PainelControleMapa");
    PainelControleMapa->setGeometry(4, 47, kLarguraFerramentas - 8, 6 * 30);
    auto* layout = new QVBoxLayout(PainelControleMapa);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* btImpMapa = ferramenta(PainelControleMapa, "btImpMapa", "▤", "Imprimir o mapa atual");
    auto* btVisualTotal = ferramenta(PainelControleMapa, "btVisualTotal", "▣", "Visualizar todo o mapa");
    auto* btZoomMais = ferramenta(PainelControleMapa, "btZoomMais", "+", "Ampliar");
    auto* btZoomMenos = ferramenta(PainelControleMapa, "btZoomMenos", "−", "Reduzir");
    btMoveMapa = ferramenta(PainelControleMapa, "btMoveMapa", "✥", "Mover o Mapa");
    btZoomMouse = ferramenta(PainelControleMapa, "btZoomMouse", "⬚", "Ampliar a área selecionada");
    auto* grupo = new QButtonGroup(PainelControleMapa);
    for (QToolButton* b : {btMoveMapa, btZoomMouse}) {
        b->setCheckable(true);
        grupo->addButton(b);
    }
    btZoomMouse->setChecked(true);
    for (QToolButton* b : {btImpMapa, btVisualTotal, btZoomMais, btZoomMenos, btMoveMapa, btZoomMouse})
        layout->addWidget(b);
    connect(btImpMapa, &QToolButton::clicked, this, [this] { guard([this] { btImpMapaClick(); }); });
    connect(btVisualTotal, &QToolButton::clicked, this, [this] {
        guard([this] {
            mostraInteira(mapamostra_->Layers().item(camadaAtual()));
            mapamostra_->setScrollBars(false);
        });
    });
    const auto escala = [this](double fator) {
        const auto e = mapamostra_->Extent();
        const auto c = e.center();
        const double w = e.width() * fator / 2, h = e.height() * fator / 2;
        mapamostra_->setExtent({c.x - w, c.y - h, c.x + w, c.y + h});
    };
    connect(btZoomMais, &QToolButton::clicked, this, [escala] { escala(0.8); });
    connect(btZoomMenos, &QToolButton::clicked, this, [escala] { escala(1.2); });
    PainelControleMapa->raise();
}

void TfrmMapaBrasil::buildBottomBar()
{
    auto* Panel3 = new QWidget(this);
    Panel3->setObjectName("Panel3");
    Panel3->setGeometry(0, 512, 592, 35);
    Panel3->setStyleSheet("QWidget#Panel3 { background: #2692B8 } QPushButton { color: white; font: 8pt 'Verdana';"
                          " background: #2692B8; border: 1px solid white; padding: 2px 8px }");
    auto* btnImprimir = botao(Panel3, "btnImprimir", "Imprimir", {}, QRect(6, 5, 80, 25));
    auto* btnSalvar = botao(Panel3, "btnSalvar", "Salvar", kHintSalvar, QRect(92, 5, 70, 25));
    btCor = botao(Panel3, "btCor", "Cor", {}, QRect(168, 5, 50, 25));
    PnSalvar = new QWidget(Panel3);
    PnSalvar->setObjectName("PnSalvar");
    PnSalvar->setGeometry(226, 0, 240, 35);
    auto* SalvaMapa = botao(PnSalvar, "SalvaMapa", "Mapa", kHintSalvar, QRect(0, 5, 70, 25));
    auto* SalvaLegenda = botao(PnSalvar, "SalvaLegenda", "Legenda", kHintSalvar, QRect(76, 5, 80, 25));
    auto* btFecharLegenda = botao(PnSalvar, "btFecharLegenda", "Fechar", {}, QRect(162, 5, 70, 25));
    PnSalvar->hide();
    auto* btnFechar = botao(Panel3, "btnFechar", "Fechar", {}, QRect(506, 5, 80, 25));

    connect(btnImprimir, &QPushButton::clicked, this, [this] { guard([this] { btnImprimirClick(); }); });
    connect(btnSalvar, &QPushButton::clicked, PnSalvar, &QWidget::show);
    connect(btFecharLegenda, &QPushButton::clicked, PnSalvar, &QWidget::hide);
    connect(SalvaMapa, &QPushButton::clicked, this, [this] { guard([this] { SalvaMapaClick(); }); });
    connect(SalvaLegenda, &QPushButton::clicked, this, [this] { guard([this] { SalvaLegendaClick(); }); });
    connect(btCor, &QPushButton::clicked, this, [this] { Button1111Click(); });
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
}

bool TfrmMapaBrasil::guard(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& e) {
        report(e);
        return false;
    }
}

void TfrmMapaBrasil::report(const std::exception& error)
{
    if (onError)
        onError(error);
    else
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(platform::userMessage(error)));
}

void TfrmMapaBrasil::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!mostrado_) {
        mostrado_ = true;
        guard([this] { FormShow(); });
    }
}

void TfrmMapaBrasil::mostraPrimeiraVisao()
{
    mostrado_ = true;
    FormShow();
}

void TfrmMapaBrasil::ComboBox1Change()
{
    Edit1->setText(ComboBox1->currentText());
    Button1Click();
}

void TfrmMapaBrasil::Button1111Click()
{
    PaletaAtual_ = proximaPaleta(PaletaAtual_);
    Button1Click();
}

void TfrmMapaBrasil::btEditaLegendaClick()
{
    LegendaEmEdicao = true;
    TfrmLegenda editor(*this, this);
    editor_ = &editor;
    editor.exec();
    editor_ = nullptr;
    LegendaEmEdicao = false;
}

void TfrmMapaBrasil::btImpMapaClick()
{
    if (QMessageBox::question(this, windowTitle(), "Sua impressora está conectada e pronta ?",
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    QMessageBox::information(this, windowTitle(), "Imprimindo");
    mapamostra_->printMap("tempmapa");
}

void TfrmMapaBrasil::btnImprimirClick()
{
    QPrinter printer(QPrinter::HighResolution);
    if (printer.printerName().isEmpty() || !printer.isValid())
        throw std::runtime_error("Nenhuma impressora disponível para imprimir a janela");
    const QPixmap imagem = grab();
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("Não foi possível imprimir a janela");
    const QRect pagina = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize tamanho = imagem.size().scaled(pagina.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(QPoint(0, 0), tamanho), imagem);
}

void TfrmMapaBrasil::SalvaMapaClick()
{
    const auto arquivo = data_.programa / "mapa.EMF";
    mapamostra_->exportMap(arquivo.string(), 1.0);
    abreArquivo(arquivo);
}

void TfrmMapaBrasil::SalvaLegendaClick()
{
    // The legend panel as it shows; the picture holds a bitmap, so the file
    // is written as one whatever its name says.
    const auto arquivo = data_.programa / "mapaleg.EMF";
    platform::saveImageSafely(Panel1->grab().toImage(), arquivo, "BMP");
    abreArquivo(arquivo);
}

} // namespace daxo::maps
