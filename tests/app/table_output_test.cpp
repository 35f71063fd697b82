// The "Tabela" button of the main window with the real pages, on the small
// sample installation: the wizard walked as a user does, the report pages
// written into the program folder and handed to the desktop to open.
#include "indicators/indicator_panels.h"
#include "output_walk.h"

#include <QDesktopServices>
#include <QUrl>

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

class TableOutputTest : public daxo::app::test::OutputWalk {
protected:
    void SetUp() override
    {
        OutputWalk::SetUp();
        QDesktopServices::setUrlHandler("file", &opened, "open");
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler("file");
        OutputWalk::TearDown();
    }

    OpenedPages opened;
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
