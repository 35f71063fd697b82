// The "Tabela" button of the main window with the real pages, on the small
// sample installation: the wizard walked as a user does, the report pages
// written into the program folder and handed to the desktop to open.
#include "app/application.h"
#include "app/data_module_setup.h"
#include "app/main_window.h"
#include "click_reading_messages.h"
#include "app/message_window.h"
#include "app/table_output.h"
#include "indicators/indicator_panels.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QDesktopServices>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace daxo::app;
namespace fs = std::filesystem;

namespace {

// Receives the pages the program asks the desktop to open.
class OpenedPages : public QObject {
    Q_OBJECT
public:
    QStringList pages;
public slots:
    void open(const QUrl& url) { pages << QString::fromStdString(fs::path(url.toLocalFile().toStdString()).filename().string()); }
};

class TableOutputTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/daxo-table-output-XXXXXX";
        program = mkdtemp(pattern);
        setenv("DAXO_ENGINE_CONFIG", (program / "aliases.cfg").c_str(), 1);
        const std::string command = std::string(DAXO_GENERATE) + " " + program.string() + " --small > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        criaDmDAXO(program);
    }
    static void TearDownTestSuite()
    {
        unsetenv("DAXO_ENGINE_CONFIG");
        fs::remove_all(program);
    }

    void SetUp() override
    {
        auto indicators = std::make_unique<daxo::indicators::IndicatorPageController>(runAction);
        auto localities = std::make_unique<daxo::localities::LocalityPageController>(
            dmDAXO, [page = indicators.get()] { page->rebuildCaption(); }, runAction);
        auto* indicatorPage = indicators.get();
        auto* localityPage = localities.get();
        window = std::make_unique<TfrmPrincipal>(std::move(indicators), std::move(localities));
        wireTableOutput(*window, *indicatorPage, *localityPage);
        window->setProgramFolder(program);
        window->setScreenWidthSource([] { return 1024; });
        window->show();
        QApplication::processEvents();
        QDesktopServices::setUrlHandler("file", &opened, "open");
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler("file");
        window.reset();
    }

    // Clicks a button; a message window it opens is read and closed.
    void click(const char* name)
    {
        QApplication::processEvents();
        QWidget* target = window->findChild<QWidget*>(name);
        ASSERT_NE(target, nullptr) << name;
        daxo::app::test::clickReadingMessages(target, messages);
        QApplication::processEvents();
    }
    void tick(const char* box)
    {
        // A check box answers to clicks on its box and caption only.
        QTest::mouseClick(window->findChild<QCheckBox*>(box), Qt::LeftButton, {}, QPoint(8, 10));
    }
    void chooseLocality(const QString& name)
    {
        auto* tree = window->findChild<QTreeWidget*>("TreeView1");
        // The state's first node is the one under its region.
        const auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << name.toStdString();
        for (QTreeWidgetItem* p = found[0]->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->setCurrentItem(found[0]);
        emit tree->itemClicked(found[0], 0);
        emit tree->itemDoubleClicked(found[0], 0);
        auto* chosen = window->findChild<QListWidget*>("cbSelecao");
        ASSERT_EQ(chosen->count(), 1);
        EXPECT_EQ(chosen->item(0)->text(), name);
    }
    // Census 2000, População of men and women, then the locality step.
    void walkToLocalities()
    {
        click("btAvancar");
        auto* census = window->findChild<QComboBox*>("cbCenso");
        census->setCurrentIndex(census->findText("2000"));
        emit census->activated(census->currentIndex());
        click("btAvancar");
        auto* indicator = window->findChild<QComboBox*>("cbIndicadores");
        indicator->setCurrentIndex(0);
        emit indicator->activated(0);
        tick("chkMasculino");
        tick("chkFeminino");
        click("btAvancar");
        ASSERT_EQ(window->PassoAtual(), 3) << messages.join(" | ").toStdString();
    }

    static inline fs::path program;
    std::unique_ptr<TfrmPrincipal> window;
    OpenedPages opened;
    QStringList messages;
};

} // namespace

TEST_F(TableOutputTest, TabelaWritesTheReportAndOpensItsPages)
{
    walkToLocalities();
    chooseLocality("Sergipe");
    click("btAvancar");
    ASSERT_EQ(window->PassoAtual(), 4) << messages.join(" | ").toStdString();
    click("bt_tabela");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    // No Total column: the main page and the Brazil percentages only.
    EXPECT_EQ(opened.pages, (QStringList{"População2.html", "População2pb.html"}));
    for (const char* file : {"População2.html", "População2.xls", "População2pb.html", "População2pb.xls"})
        EXPECT_TRUE(fs::exists(program / file)) << file;
    EXPECT_TRUE(window->findChild<QWidget*>("pnaguarde")->isHidden());
    EXPECT_EQ(window->PassoAtual(), 4);

    // The next report gets the next number.
    click("bt_tabela");
    EXPECT_TRUE(fs::exists(program / "População3.html"));
}

TEST_F(TableOutputTest, AnUnwritableFolderIsReportedAndTheStepKept)
{
    const fs::path blocked = program / "arquivo";
    std::ofstream(blocked) << "x";
    window->setProgramFolder(blocked / "pasta");   // a folder below a plain file cannot exist
    walkToLocalities();
    chooseLocality("Acre");
    click("btAvancar");
    click("bt_tabela");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Não foi possível gravar o relatório na pasta"))) << messages[0].toStdString();
    EXPECT_TRUE(opened.pages.isEmpty());
    EXPECT_TRUE(window->findChild<QWidget*>("pnaguarde")->isHidden());
    EXPECT_EQ(window->PassoAtual(), 4);
}

TEST_F(TableOutputTest, AMissingMatrixTableIsNamedFirstInTheMessage)
{
    walkToLocalities();
    chooseLocality("Sergipe");
    click("btAvancar");
    fs::path matrix;
    for (const auto& entry : fs::directory_iterator(program / "Bases"))
        if (entry.path().filename().string().rfind("pop2000mi", 0) == 0)
            matrix = entry.path();
    ASSERT_FALSE(matrix.empty());
    fs::rename(matrix, program / "fora.dbf");
    click("bt_tabela");
    fs::rename(program / "fora.dbf", matrix);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8("Tabela não encontrada: ")) && messages[0].contains("pop2000mi"))
        << messages[0].toStdString();
    EXPECT_TRUE(opened.pages.isEmpty());
    EXPECT_TRUE(window->findChild<QWidget*>("pnaguarde")->isHidden());
    EXPECT_EQ(window->PassoAtual(), 4);
}

TEST(TotalChoice, PanelChoicesPickTheirNationalTotal)
{
    const auto total = [](int indicator, const std::string& census, const auto& choose) {
        daxo::indicators::IndicatorPanels panels;
        panels.setCensus(census);
        panels.chooseIndicator(indicator);
        choose(panels);
        daxo::reports::TotalBrasil t;
        return t.CalculaTotalBrasil(census, totalChoice(panels));
    };
    using daxo::indicators::IndicatorPanels;
    EXPECT_EQ(total(2, "2000", [](IndicatorPanels& p) {
                  p.clickRadioButton("RadioAguaCanalizada");
                  p.selectComboItem("cbAguaCanalizada", 2);   // por rede geral
              }), 34914319);
    EXPECT_EQ(total(2, "2000", [](IndicatorPanels& p) {
                  p.clickRadioButton("RadioEsgotamentoSanitario");
                  p.selectComboItem("cbEsgotamentoSanitario", 2);   // fossa séptica
              }), 6706427);
    EXPECT_EQ(total(3, "1991", [](IndicatorPanels& p) {
                  p.clickCheckBox("ckCriancasTotalFamilias");
                  p.selectComboItem("cbRendimentoTotalFamilias", 2);
              }), 2277025);
    EXPECT_EQ(total(11, "2000", [](IndicatorPanels& p) {
                  p.clickCheckBox("chkContribui");
                  p.selectComboItem("cbPosicaoPopOcupada", 4);   // conta-própria
              }), 1360323);
    EXPECT_EQ(total(13, "1991", [](IndicatorPanels& p) { p.selectComboItem("cbDeficiencia1991", 6); }), 658912);
}

#include "table_output_test.moc"
