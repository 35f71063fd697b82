#include "main_window.h"

#include "about_window.h"
#include "application.h"
#include "help_links.h"
#include "look.h"
#include "message_window.h"
#include "platform/formats.h"
#include "platform/system_errors.h"
#include "refusal.h"
#include "splash.h"
#include "startup_rules.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>

namespace daxo::app {

namespace {

constexpr int kLargura = 718;
constexpr int kAltura = 547;
constexpr int kBanner = 83;
constexpr int kTopoPaginas = 133;
constexpr int kRodape = 73;
constexpr int kAlturaPaginas = kAltura - kRodape - kTopoPaginas;
constexpr int kInicioSaida = 236;   // the output panel covers the map area

const char* const kDicaTabela = "Saída permitida para todos os tipos de filtros";
const char* const kDicaGrafico = "A visualização do gráfico é aconselhável até 18 barras ";
const char* const kDicaMapa = "A saída em mapa não permite \nmais de uma localidade selecionada";
const char* const kDicaIndicadores =
    "Obtenha aqui a lista dos indicadores e a lista das localidades usadas no DAXO";

QString u(const char* text) { return QString::fromUtf8(text); }

QLabel* label(const QString& text, QWidget* parent, const QRect& place, bool bold = false)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(place);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QPushButton* footerButton(const QString& text, QWidget* parent, int x)
{
    auto* b = new QPushButton(text, parent);
    b->setGeometry(x, 22, 92, 30);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QString("QPushButton { color: %1; background: white; font-weight: bold; font-size: 10pt;"
                             " border: 1px solid %1; border-radius: 3px; }"
                             "QPushButton:hover { background: #eef6fa; }")
                         .arg(kAzulEscuro.name()));
    return b;
}

void refuseOutput() { refuse("Esta forma de apresentação ainda não está disponível."); }

} // namespace

TfrmPrincipal::TfrmPrincipal(std::unique_ptr<IndicatorPage> indicators, std::unique_ptr<LocalityPage> localities,
                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      indicators_(std::move(indicators)), localities_(std::move(localities)),
      wizard_(*indicators_, *localities_),
      screenWidth_([this] { return screen()->geometry().width(); }),
      programFolder_(std::filesystem::current_path())
{
    setObjectName("frmPrincipal");
    setWindowTitle("DAXO");
    setFixedSize(kLargura, kAltura);
    paintBackground(this, Qt::white);
    // The window's text colour, by palette: a style sheet here would reach the
    // dialogs this window owns (the municipality chooser's white on blue).
    QPalette tinta = palette();
    tinta.setColor(QPalette::WindowText, kAzulEscuro);
    setPalette(tinta);
    if (fadeSupported())
        setWindowOpacity(0.0);   // fades in with the splash on first activation

    acoesSaida_ = {refuseOutput, refuseOutput, refuseOutput};
    buildBanner();
    buildPages();
    buildStatusStrip();
    buildFooter();
    // The pages may write the caption as soon as they know the wizard.
    wizard_.setOnChange([this] { mirror(); });
    indicators_->attach(wizard_);
    localities_->attach(wizard_);

    // FormCreate
    if (auto* app = DaxoApplication::instance()) {
        AjustaDica(*app);
        app->setErrorHandler([this](const std::exception& e) { AppException(e); });
    }
    for (QComboBox* combo : findChildren<QComboBox*>())
        combo->setCursor(Qt::PointingHandCursor);
    NumeroRelatorio = 1;
    timer1_.setInterval(14);
    connect(&timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Relogio(false);
    mirror();
    move(screen()->availableGeometry().center() - rect().center());
}

TfrmPrincipal::~TfrmPrincipal()
{
    if (auto* app = DaxoApplication::instance())
        app->setErrorHandler(nullptr);
    // The pages own their widgets.
    indicators_->widget()->setParent(nullptr);
    localities_->widget()->setParent(nullptr);
}

void TfrmPrincipal::buildBanner()
{
    for (int i = 0; i < 4; ++i) {
        QLabel* imagem = imagens_[i] = new QLabel(this);
        imagem->setObjectName(QString("Imagem%1").arg(i));
        imagem->setGeometry(0, 0, kLargura, kBanner);
        imagem->setPixmap(QPixmap(QString("banner%1.png").arg(i)));
    }
    // Flat buttons over the three step labels of the banner.
    const auto stepButton = [this](const char* name, int index, void (Wizard::*handler)()) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        b->setGeometry(245 + index * 157, 9, 157, 65);
        b->setFlat(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setStyleSheet("QPushButton { border: none; background: transparent; }");
        connect(b, &QPushButton::clicked, this, [this, handler] { handle(handler); });
        return b;
    };
    btnCenso_ = stepButton("btnCenso", 0, &Wizard::btnCensoClick);
    btnIndicador_ = stepButton("btnIndicador", 1, &Wizard::btnIndicadorClick);
    btnUnidade_ = stepButton("btnUnidade", 2, &Wizard::btnUnidadeClick);
}

void TfrmPrincipal::buildStatusStrip()
{
    lblFiltro_ = label("Filtro:", this, QRect(8, 90, 44, 18), true);
    lblFiltro_->setObjectName("lblFiltro");
    lblFiltro_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblResultIndicador_ = label("", this, QRect(54, 90, 470, 38));
    lblResultIndicador_->setObjectName("lblResultIndicador");
    lblResultIndicador_->setWordWrap(true);
    lblResultIndicador_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblCenso_ = label("Censo: ", this, QRect(560, 90, 50, 18), true);
    lblCenso_->setObjectName("lblCenso");
    lblCenso_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblResultCenso_ = label("", this, QRect(612, 90, 100, 18));
    lblResultCenso_->setObjectName("lblResultCenso");
    lblResultCenso_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    panel4_ = new QLabel(u("Click no botão AVANÇAR ou no Botão Selecione o Censo para iniciar sua pesquisa."), this);
    panel4_->setObjectName("Panel4");
    panel4_->setGeometry(8, 89, kLargura - 16, 38);
    panel4_->setAlignment(Qt::AlignCenter);
    panel4_->setWordWrap(true);
    panel4_->setStyleSheet(QString("QLabel { background: %1; color: white; font-weight: bold; font-size: 10pt; }")
                               .arg(kAzulClaro.name()));
}

void TfrmPrincipal::buildPages()
{
    pageControl1_ = new QStackedWidget(this);
    pageControl1_->setObjectName("PageControl1");
    pageControl1_->setGeometry(0, kTopoPaginas, kLargura, kAlturaPaginas);
    const auto page = [this](const char* name) {
        auto* p = new QWidget;
        p->setObjectName(name);
        pageControl1_->addWidget(p);
        return p;
    };

    QWidget* tab1 = page("TabSheet1");
    imgLogoCentral_ = new QLabel(tab1);
    imgLogoCentral_->setObjectName("imgLogoCentral");
    imgLogoCentral_->setGeometry(0, 0, kLargura, kAlturaPaginas);
    imgLogoCentral_->setAlignment(Qt::AlignCenter);
    imgLogoCentral_->setPixmap(QPixmap("logo_central.png"));

    QWidget* tab2 = page("TabSheet2");
    QLabel* titulo = label(u("Selecione o Ano e clique no botão Avançar"), tab2, QRect(0, 90, kLargura, 24), true);
    titulo->setAlignment(Qt::AlignCenter);
    QFont grande = titulo->font();
    grande.setPointSize(12);
    titulo->setFont(grande);
    cbCenso_ = new QComboBox(tab2);
    cbCenso_->setObjectName("cbCenso");
    cbCenso_->setGeometry((kLargura - 160) / 2, 130, 160, 28);
    for (const char* censo : kCensos)
        cbCenso_->addItem(u(censo));
    setHint(cbCenso_, u("Ano do censo"));
    connect(cbCenso_, &QComboBox::activated, this, [this](int index) {
        runAction([&] { wizard_.cbCensoChange(index); });
        mirror();
    });

    QWidget* tab3 = page("TabSheet3");
    indicators_->widget()->setParent(tab3);
    indicators_->widget()->setGeometry(0, 0, kLargura, kAlturaPaginas);

    QWidget* tab4 = page("TabSheet4");
    localities_->widget()->setParent(tab4);
    localities_->widget()->setGeometry(0, 0, kLargura, kAlturaPaginas);
    buildOutputPanel(tab4);
}

void TfrmPrincipal::buildOutputPanel(QWidget* page)
{
    pnEscolhaSaida_ = new QWidget(page);
    pnEscolhaSaida_->setObjectName("pnEscolhaSaida");
    pnEscolhaSaida_->setGeometry(kInicioSaida, 0, kLargura - kInicioSaida, kAlturaPaginas);
    paintBackground(pnEscolhaSaida_, Qt::white);
    QLabel* titulo = label(u("Selecione a forma de apresentação dos dados da consulta"), pnEscolhaSaida_,
                           QRect(10, 30, kLargura - kInicioSaida - 20, 40), true);
    titulo->setWordWrap(true);
    titulo->setAlignment(Qt::AlignCenter);
    QFont grande = titulo->font();
    grande.setPointSize(11);
    titulo->setFont(grande);

    struct Botao {
        const char* nome;
        const char* texto;
        const char* figura;
    };
    const std::array<Botao, 3> botoes = {{{"bt_tabela", "Tabela", "saida_tabela.png"},
                                          {"bt_grafico", "Gráfico", "saida_grafico.png"},
                                          {"bt_Mapa", "Mapa", "saida_mapa.png"}}};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(pnEscolhaSaida_);
        b->setObjectName(botoes[i].nome);
        b->setText(u(botoes[i].texto));
        b->setGeometry(31 + i * 144, 100, 130, 130);
        b->setAutoRaise(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setIcon(QIcon(QPixmap(botoes[i].figura)));
        b->setIconSize(QSize(80, 80));
        b->setStyleSheet(QString("QToolButton { color: %1; font-weight: bold; font-size: 11pt; border: 1px solid %2;"
                                 " border-radius: 6px; background: white; padding-top: 8px; }"
                                 "QToolButton:hover { background: #eef6fa; }")
                             .arg(kAzulEscuro.name(), kAzulClaro.name()));
        connect(b, &QToolButton::clicked, this, [this, i] {
            runAction([&] { acoesSaida_[i](); });
            mirror();
        });
        saidas_[i] = b;
    }
    setHint(saidas_[0], u(kDicaTabela));

    // Below the outputs, where the panel has room.
    const std::array<std::pair<const char*, const char*>, 3> consulta = {
        {{"btSalvarConsulta", "Salvar consulta…"}, {"btAbrirConsulta", "Abrir consulta…"}, {"btExportar", "Exportar…"}}};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(u(consulta[i].second), pnEscolhaSaida_);
        b->setObjectName(consulta[i].first);
        b->setGeometry(31 + i * 144, 262, 130, 28);
        b->setCursor(Qt::PointingHandCursor);
        connect(b, &QPushButton::clicked, this, [this, i] {
            runAction([&] {
                if (acoesConsulta_[i])
                    acoesConsulta_[i]();
            });
            mirror();
        });
        if (i == static_cast<int>(AcaoConsulta::Exportar))
            btExportar_ = b;
    }
    btExportar_->setEnabled(false);

    pnaguarde_ = new QWidget(pnEscolhaSaida_);
    pnaguarde_->setObjectName("pnaguarde");
    pnaguarde_->setGeometry(31, 100, 418, 130);
    paintBackground(pnaguarde_, kAzulClaro);
    for (int i = 0; i < 4; ++i) {
        QLabel* l = aguarde_[i] = label(u(kAguarde[i]), pnaguarde_, QRect(150, 50, 160, 30), true);
        l->setStyleSheet("QLabel { color: white; font-size: 14pt; }");
        l->hide();
    }
}

void TfrmPrincipal::buildFooter()
{
    auto* rodape = new QWidget(this);
    rodape->setObjectName("Rodape");
    rodape->setGeometry(0, kAltura - kRodape, kLargura, kRodape);
    paintBackground(rodape, kAzulClaro);

    btVoltar_ = footerButton("Voltar", rodape, 10);
    btVoltar_->setObjectName("btVoltar");
    connect(btVoltar_, &QPushButton::clicked, this, [this] { handle(&Wizard::btVoltarClick); });
    btAvancar_ = footerButton(u("Avançar"), rodape, kLargura - 102);
    btAvancar_->setObjectName("btAvancar");
    connect(btAvancar_, &QPushButton::clicked, this, [this] { handle(&Wizard::btAvancarClick); });

    lblMensagensSistema_ = label("", rodape, QRect(112, 8, 494, 22), true);
    lblMensagensSistema_->setObjectName("lblMensagensSistema");
    lblMensagensSistema_->setAlignment(Qt::AlignCenter);

    struct Link {
        const char* nome;
        const char* texto;
        int x;
        int largura;
    };
    const std::array<Link, 3> links = {{{"lblSobre", "Sobre o DAXO", 120, 120},
                                        {"Label63", "Indicadores", 260, 100},
                                        {"Label31", "Notas Metodológicas", 380, 180}}};
    std::array<QLabel*, 3> rotulos{};
    for (int i = 0; i < 3; ++i) {
        QLabel* l = rotulos[i] = makeLink(u(links[i].texto), rodape, false);
        l->setObjectName(links[i].nome);
        l->setGeometry(links[i].x, 40, links[i].largura, 20);
        l->setAlignment(Qt::AlignCenter);
        l->setStyleSheet("QLabel { color: #0000c0; }");
    }
    onClick(rotulos[0], [this] { (new TfrmSobre(this))->exec(); });
    onClick(rotulos[1], [] { abrirAjuda(kPaginaIndicadores); });
    onClick(rotulos[2], [] { abrirAjuda(kPaginaNotas); });
    setHint(rotulos[1], u(kDicaIndicadores));
}

void TfrmPrincipal::setOutputAction(Saida saida, std::function<void()> action)
{
    acoesSaida_[static_cast<int>(saida)] = std::move(action);
}

void TfrmPrincipal::setQueryAction(AcaoConsulta acao, std::function<void()> action)
{
    acoesConsulta_[static_cast<int>(acao)] = std::move(action);
}

void TfrmPrincipal::setExportEnabled(bool enabled) { btExportar_->setEnabled(enabled); }

// Every wizard handler: what it did before an error stays done and is shown.
void TfrmPrincipal::handle(void (Wizard::*handler)())
{
    struct Mirror {
        TfrmPrincipal* window;
        ~Mirror() { window->mirror(); }
    } guard{this};
    runAction([&] { (wizard_.*handler)(); });
}

void TfrmPrincipal::mirror()
{
    const ShellView& v = wizard_.view();
    for (int i = 0; i < 4; ++i)
        imagens_[i]->setVisible(v.banner == i);
    pageControl1_->setCurrentIndex(v.page);
    panel4_->setVisible(v.panel4);
    lblFiltro_->setVisible(v.lblFiltro);
    setFittingText(lblResultIndicador_, QString::fromStdString(v.caption));
    lblResultIndicador_->setVisible(v.lblResultIndicador);
    lblCenso_->setVisible(v.lblCenso);
    lblResultCenso_->setText(QString::fromStdString(v.censusLabel));
    lblResultCenso_->setVisible(v.lblResultCenso);
    cbCenso_->setCurrentIndex(v.censusIndex);
    cbCenso_->setVisible(v.cbCenso);
    imgLogoCentral_->setVisible(v.imgLogoCentral);
    localities_->widget()->setVisible(v.painelUnidade);
    btVoltar_->setVisible(v.btVoltar);
    btAvancar_->setVisible(v.btAvancar);
    pnEscolhaSaida_->setVisible(v.pnEscolhaSaida);
    pnEscolhaSaida_->raise();
    pnaguarde_->setVisible(v.pnaguarde);
    lblMensagensSistema_->setText(QString::fromStdString(v.mensagem));
    lblMensagensSistema_->setStyleSheet(v.mensagemAmarela ? "QLabel { color: yellow; }" : "QLabel { color: white; }");
}

void TfrmPrincipal::AtualizaMostrador(const QString&) { QApplication::processEvents(); }

void TfrmPrincipal::Relogio(bool ligado)
{
    QApplication::processEvents();
    if (ligado)
        timer1_.start();
    else
        timer1_.stop();
}

void TfrmPrincipal::Timer1Timer()
{
    QApplication::processEvents();
    int visible = -1;
    for (int i = 0; i < 4; ++i)
        if (!aguarde_[i]->isHidden())
            visible = i;
    const int next = nextAguarde(visible);
    for (int i = 0; i < 4; ++i)
        aguarde_[i]->setVisible(i == next);
}

void TfrmPrincipal::AppException(const std::exception& error)
{
    Relogio(false);
    wizard_.setWaitingVisible(false);
    mirror();
    (new TfrmMensagem(QString::fromStdString(platform::userMessage(error)), this))->exec();
}

void TfrmPrincipal::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TfrmPrincipal::FormShow()
{
    platform::setProcessFormats(platform::FormatSettings{});
    setHint(saidas_[2], u(kDicaMapa));
    setHint(saidas_[1], u(kDicaGrafico));
    wizard_.start();
    mirror();
    if (carregaCamadas_) {
        try {
            carregaCamadas_();
        } catch (const std::exception& e) {
            QTimer::singleShot(0, this,
                               [this, text = platform::userMessage(e)] { AppException(std::runtime_error(text)); });
        }
    }
    larguraTela_ = screenWidth_();
    if (const auto message = resolutionMessage(larguraTela_)) {
        // After the window is on screen, so that the box has an owner to centre on.
        QTimer::singleShot(0, this, [this, text = u(message->c_str())] {
            QMessageBox box(QMessageBox::NoIcon, "Velmora", text, QMessageBox::Ok, this);
            box.setObjectName("msgResolucao");
            box.exec();
        });
    }
    // Without a window manager the window may never be activated: fade in anyway.
    QTimer::singleShot(1500, this, [this] { crossFade(); });
}

bool TfrmPrincipal::event(QEvent* e)
{
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) {
        janelaAtivada_ = true;
        crossFade();
    }
    return result;
}

void TfrmPrincipal::crossFade()
{
    if (faded_)
        return;
    faded_ = true;
    if (fadeSupported()) {
        for (int opacity = 0; opacity < 255; opacity += 9) {
            if (splash_)
                splash_->setWindowOpacity((255 - opacity) / 255.0);
            stepOpacity(this, opacity);
        }
        setWindowOpacity(1.0);
    }
    // The splash has done its part.
    if (splash_) {
        splash_->close();
        splash_ = nullptr;
    }
}

void TfrmPrincipal::closeEvent(QCloseEvent* event)
{
    cleanProgramFolder(programFolder_);
    event->accept();
}

} // namespace daxo::app
