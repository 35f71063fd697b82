// The main window driven as a user would: clicks on its real widgets.
#include "app/about_window.h"
#include "app/main_window.h"
#include "app/message_window.h"
#include "app/refusal.h"
#include "stand_in_pages.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QScrollArea>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace daxo::app;
namespace fs = std::filesystem;

// Catches what the window asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

namespace {

// Watches for a top-level window of type W; when it shows up, hands it to
// `inspect`, which closes it. The result turns true then.
template <class W>
std::shared_ptr<bool> whenShown(const std::function<void(W*)>& inspect, int timeoutMs = 3000)
{
    auto found = std::make_shared<bool>(false);
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        *waited += 20;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<W*>(w); window && window->isVisible()) {
                *found = true;
                timer->stop();
                timer->deleteLater();
                inspect(window);
                return;
            }
        if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
    return found;
}

bool waitFor(const std::shared_ptr<bool>& found, int timeoutMs)
{
    return QTest::qWaitFor([&] { return *found; }, timeoutMs);
}

class MainWindowTest : public testing::Test {
protected:
    StandInIndicatorPage* indicators = new StandInIndicatorPage;
    StandInLocalityPage* localities = new StandInLocalityPage;
    std::unique_ptr<TfrmPrincipal> window;
    fs::path folder;

    void SetUp() override
    {
        char pattern[] = "/tmp/daxo-janela-XXXXXX";
        folder = mkdtemp(pattern);
        window = std::make_unique<TfrmPrincipal>(std::unique_ptr<IndicatorPage>(indicators),
                                                 std::unique_ptr<LocalityPage>(localities));
        window->setProgramFolder(folder);
    }
    void TearDown() override
    {
        window.reset();
        fs::remove_all(folder);
    }
    void show(int screenWidth = 1024)
    {
        window->setScreenWidthSource([screenWidth] { return screenWidth; });
        window->show();
        QApplication::processEvents();
    }
    template <class T = QWidget>
    T* find(const char* name) const
    {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    bool shown(const char* name) const { return !find(name)->isHidden(); }
    QString currentPage() const { return find<QStackedWidget>("PageControl1")->currentWidget()->objectName(); }
};

TEST_F(MainWindowTest, OpensOnTheWelcomePage)
{
    show();
    EXPECT_EQ(window->windowTitle(), "DAXO");
    EXPECT_EQ(window->size(), QSize(718, 547));
    EXPECT_EQ(window->PassoAtual(), 0);
    EXPECT_EQ(currentPage(), "TabSheet1");
    EXPECT_TRUE(shown("Imagem0"));
    EXPECT_FALSE(shown("Imagem1"));
    EXPECT_FALSE(shown("btVoltar"));
    EXPECT_TRUE(shown("btAvancar"));
    EXPECT_TRUE(shown("Panel4"));
    EXPECT_FALSE(shown("lblFiltro"));
    EXPECT_FALSE(shown("lblCenso"));
    EXPECT_FALSE(shown("lblResultCenso"));
    EXPECT_EQ(find<QLabel>("lblMensagensSistema")->text(), "Velmora");
    EXPECT_EQ(window->LarguraTela(), 1024);
}

TEST_F(MainWindowTest, AvancarTwiceShowsThePopulationIndicator)
{
    show();
    click("btAvancar");
    EXPECT_EQ(currentPage(), "TabSheet2");
    EXPECT_TRUE(shown("cbCenso"));
    EXPECT_FALSE(shown("Panel4"));
    click("btAvancar");
    EXPECT_EQ(window->PassoAtual(), 2);
    EXPECT_EQ(currentPage(), "TabSheet3");
    EXPECT_TRUE(shown("Imagem2"));
    EXPECT_TRUE(shown("btVoltar"));
    EXPECT_EQ(find<QLabel>("lblResultCenso")->text(), "1991");
    EXPECT_EQ(find<QLabel>("lblResultIndicador")->text(), QString::fromUtf8("População"));
    EXPECT_TRUE(shown("lblFiltro"));
}

TEST_F(MainWindowTest, ALongCaptionIsShownWhole)
{
    show();
    const QString longest = QString::fromUtf8(
        "Proporção de mulheres chefes de família, com filhos no domicílio, com cônjuge e sem cônjuge, da cor "
        "branca e da cor preta ou parda, de 15 a 17 anos, de 18 a 24 anos, de 25 a 29 anos, de 30 a 49 anos e "
        "de 50 anos ou mais de idade");
    auto* caption = find<QLabel>("lblResultIndicador");
    window->wizard().setCaption(longest.toStdString());
    EXPECT_EQ(caption->text(), longest);
    EXPECT_LE(caption->heightForWidth(caption->width()), caption->height());
    window->wizard().setCaption("População");
    EXPECT_EQ(caption->font().pointSizeF(), window->font().pointSizeF());
}

TEST_F(MainWindowTest, BannerButtonsFollowTheirTable)
{
    show();
    click("btnCenso");
    EXPECT_EQ(window->PassoAtual(), 1);
    click("btnUnidade");
    EXPECT_EQ(window->PassoAtual(), 2);
    click("btnIndicador");
    EXPECT_EQ(window->PassoAtual(), 3);
    EXPECT_EQ(currentPage(), "TabSheet4");
    EXPECT_TRUE(shown("PainelUnidade"));
    click("btAvancar");
    EXPECT_EQ(window->PassoAtual(), 4);
    EXPECT_TRUE(shown("pnEscolhaSaida"));
    EXPECT_FALSE(shown("btAvancar"));
    click("btnCenso");
    EXPECT_EQ(window->PassoAtual(), 1);
    EXPECT_EQ(currentPage(), "TabSheet2");
    EXPECT_FALSE(shown("btAvancar"));
}

TEST_F(MainWindowTest, ErrorOfAWizardStepIsShownAndTheStepStays)
{
    const QString text = QString::fromUtf8("Selecione pelo menos um sexo, \"Homens\" ou \"Mulheres\" – ação recusada");
    indicators->onLeave = [&] { refuse(text.toStdString()); };
    show();
    click("btAvancar");
    click("btAvancar");
    ASSERT_EQ(window->PassoAtual(), 2);

    QString shownText;
    QSize size;
    QColor background;
    const auto appeared = whenShown<TfrmMensagem>([&](TfrmMensagem* m) {
        shownText = m->text();
        size = m->size();
        background = m->palette().color(QPalette::Window);
        QTest::mouseClick(m->okButton(), Qt::LeftButton);
    });
    click("btAvancar");
    EXPECT_TRUE(*appeared);
    EXPECT_EQ(shownText, text);
    EXPECT_EQ(size, QSize(470, 89));
    EXPECT_EQ(background, QColor(0x4A, 0xAE, 0xCE));
    EXPECT_EQ(window->PassoAtual(), 2);
    EXPECT_EQ(currentPage(), "TabSheet3");
    EXPECT_EQ(indicators->leaveCount, 0);
}

TEST_F(MainWindowTest, CarriageReturnInAMessageBreaksTheLine)
{
    indicators->onLeave = [] { refuse("A faixa etária e obrigatória para o tipo de rendimento médio da população "
                                      "ocupada \rEscolha a faixa etária"); };
    show();
    click("btAvancar");
    click("btAvancar");
    QString shownText;
    whenShown<TfrmMensagem>([&](TfrmMensagem* m) {
        shownText = m->text();
        m->okButton()->click();
    });
    click("btAvancar");
    EXPECT_EQ(shownText, QString::fromUtf8("A faixa etária e obrigatória para o tipo de rendimento médio da população "
                                           "ocupada \nEscolha a faixa etária"));
}

TEST_F(MainWindowTest, ALongMessageGrowsTheWindowAndKeepsEveryLine)
{
    std::string text = "Tabela não encontrada: pop2000mi.dbf\n\nInstrução que falhou:\nSELECT NIVEL_GEO";
    for (int line = 0; line < 60; ++line)
        text += "\n and CODIGO <> '" + std::to_string(line) + "888'";
    indicators->onLeave = [&] { refuse(text); };
    show();
    click("btAvancar");
    click("btAvancar");
    QString shownText;
    QRect window, label, button;
    whenShown<TfrmMensagem>([&](TfrmMensagem* m) {
        shownText = m->text();
        window = m->rect();
        auto* area = m->findChild<QScrollArea*>();
        ASSERT_NE(area, nullptr) << "sixty lines need the scrolling area";
        label = QRect(area->geometry().topLeft(), area->size());
        button = m->okButton()->geometry();
        m->okButton()->click();
    });
    click("btAvancar");
    EXPECT_EQ(shownText.toStdString(), text);
    EXPECT_EQ(window.width(), 470);
    EXPECT_GT(window.height(), 89);
    EXPECT_LE(window.height(), QGuiApplication::primaryScreen()->availableGeometry().height());
    EXPECT_TRUE(window.contains(button));
    EXPECT_LE(label.bottom(), button.top()) << "the text ends above the button";
}

TEST_F(MainWindowTest, OutputErrorStopsTheWaitingAnimation)
{
    show();
    while (window->PassoAtual() < 4)
        click("btAvancar");
    const auto aguardeShown = [&] {
        QStringList visible;
        for (QLabel* l : find("pnaguarde")->findChildren<QLabel*>())
            if (!l->isHidden())
                visible << l->text();
        return visible;
    };
    QStringList whileWaiting;
    window->setOutputAction(Saida::Grafico, [&] {
        window->wizard().setWaitingVisible(true);
        window->mirror();
        window->Relogio(true);
        QTest::qWait(80);
        whileWaiting = aguardeShown();
        refuse("Escolha pelo menos uma localidade");
    });
    QString shownText;
    whenShown<TfrmMensagem>([&](TfrmMensagem* m) {
        shownText = m->text();
        m->okButton()->click();
    });
    click("bt_grafico");
    EXPECT_EQ(shownText, "Escolha pelo menos uma localidade");
    ASSERT_EQ(whileWaiting.size(), 1);
    EXPECT_TRUE(whileWaiting[0].startsWith("Aguarde"));
    EXPECT_FALSE(shown("pnaguarde"));
    // The animation stands still once the error was shown.
    const QStringList stopped = aguardeShown();
    QTest::qWait(60);
    EXPECT_EQ(aguardeShown(), stopped);
    EXPECT_EQ(window->PassoAtual(), 4);
    EXPECT_TRUE(shown("pnEscolhaSaida"));
}

TEST_F(MainWindowTest, OutputButtonsRaiseAMessageUntilTheyAreBuilt)
{
    show();
    while (window->PassoAtual() < 4)
        click("btAvancar");
    for (const char* button : {"bt_tabela", "bt_grafico", "bt_Mapa"}) {
        QString shownText;
        whenShown<TfrmMensagem>([&](TfrmMensagem* m) {
            shownText = m->text();
            m->okButton()->click();
        });
        click(button);
        EXPECT_FALSE(shownText.isEmpty()) << button;
    }
    EXPECT_EQ(find("bt_tabela")->toolTip(), QString::fromUtf8("Saída permitida para todos os tipos de filtros"));
    EXPECT_EQ(find("bt_grafico")->toolTip(), QString::fromUtf8("A visualização do gráfico é aconselhável até 18 barras "));
    EXPECT_EQ(find("bt_Mapa")->toolTip(),
              QString::fromUtf8("A saída em mapa não permite \nmais de uma localidade selecionada"));
}

TEST_F(MainWindowTest, NarrowScreenGetsTheResolutionMessage)
{
    QString shownText;
    const auto appeared = whenShown<QMessageBox>([&](QMessageBox* box) {
        shownText = box->text();
        box->accept();
    });
    show(799);
    EXPECT_TRUE(waitFor(appeared, 2000));
    EXPECT_EQ(shownText, QString::fromUtf8("Resolução mínima recomendade é de 800 x 600"));
}

TEST_F(MainWindowTest, ScreenOf800GetsNoMessage)
{
    const auto appeared = whenShown<QMessageBox>([](QMessageBox* box) { box->accept(); }, 500);
    show(800);
    EXPECT_FALSE(waitFor(appeared, 800));
    EXPECT_EQ(window->LarguraTela(), 800);
}

TEST_F(MainWindowTest, HelpLinksOpenTheirPagesAndTheWizardStaysPut)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    show();
    click("btAvancar");
    click("Label63");
    click("Label31");
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_TRUE(catcher.urls[0].toLocalFile().endsWith("Indicadores_arquivos/Indicadores.htm"));
    EXPECT_TRUE(catcher.urls[1].toLocalFile().endsWith("Indicadores_arquivos/notas_metodologicas.htm"));
    EXPECT_TRUE(QDir::isAbsolutePath(catcher.urls[0].toLocalFile()));
    EXPECT_EQ(window->PassoAtual(), 1);
    EXPECT_EQ(find("Label63")->toolTip(),
              QString::fromUtf8("Obtenha aqui a lista dos indicadores e a lista das localidades usadas no DAXO"));
}

TEST_F(MainWindowTest, AboutOpensAgainAfterClosingAndLinksItsHelpPage)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    show();
    for (int time = 0; time < 2; ++time) {
        QString title;
        QSize size;
        bool openAfterLink = false;
        const auto appeared = whenShown<TfrmSobre>([&](TfrmSobre* about) {
            title = about->windowTitle();
            size = about->size();
            if (time == 0) {
                // The link acts on the release: the press must not close the window under it.
                QTest::mouseClick(about->findChild<QLabel*>("ComoConsultar"), Qt::LeftButton);
                openAfterLink = about->isVisible();
                QTest::mouseClick(about->findChild<QLabel*>("lblFechar"), Qt::LeftButton);
            } else {
                QTest::mouseClick(about->findChild<QWidget*>("Panel1"), Qt::LeftButton, {}, QPoint(320, 460));
            }
        });
        click("lblSobre");
        EXPECT_TRUE(*appeared);
        EXPECT_EQ(title, "Sobre o DAXO");
        EXPECT_EQ(size, QSize(638, 527));
        EXPECT_EQ(openAfterLink, time == 0);
    }
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_TRUE(catcher.urls[0].toLocalFile().endsWith("Indicadores_arquivos/como_consultar.htm"));
}

TEST_F(MainWindowTest, HintsAreWhiteArialOnLightBlue)
{
    show();
    EXPECT_EQ(QToolTip::font().family(), "Arial");
    EXPECT_TRUE(QToolTip::font().bold());
    EXPECT_EQ(QToolTip::font().pointSize(), 10);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0x4A, 0xAE, 0xCE));
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipText), QColor(Qt::white));
}

TEST(QtTexts, StandardButtonsAndTheSaveDialogSpeakPortuguese)
{
    QMessageBox box(QMessageBox::Question, "Velmora", "?", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Sim");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), QString::fromUtf8("Não"));
    QFileDialog dialog(nullptr, "Salvar");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* fileName = dialog.findChild<QLabel*>("fileNameLabel");
    ASSERT_NE(fileName, nullptr);
    EXPECT_FALSE(fileName->text().contains("File name")) << fileName->text().toStdString();
}

TEST_F(MainWindowTest, ClosingCleansTheProgramFolder)
{
    std::ofstream(folder / "tempmapa.shp") << "x";
    std::ofstream(folder / "Relatorio1.html") << "x";
    fs::create_directories(folder / "bases");
    fs::create_directories(folder / "Mapas");
    std::ofstream(folder / "bases/temp.DBF") << "x";
    std::ofstream(folder / "bases/UF.DBF") << "x";
    std::ofstream(folder / "Mapas/Brasil.shp") << "x";
    show();
    window->close();
    EXPECT_FALSE(fs::exists(folder / "tempmapa.shp"));
    EXPECT_FALSE(fs::exists(folder / "Relatorio1.html"));
    EXPECT_FALSE(fs::exists(folder / "bases/temp.DBF"));
    EXPECT_TRUE(fs::exists(folder / "bases/UF.DBF"));
    EXPECT_TRUE(fs::exists(folder / "Mapas/Brasil.shp"));
}

} // namespace

#include "main_window_test.moc"
