// The "Gráfico" button of the main window with the real pages, on the small
// sample installation: the chart windows it builds, the localities it
// refuses, and the percentage copy of the work table.
#include "charts/chart_data.h"
#include "charts/widgets/chart_window.h"
#include "output_walk.h"
#include "reports/table_report.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

using namespace daxo::app;
using daxo::charts::ChartKind;
using daxo::charts::ChartWindow;
namespace fs = std::filesystem;

namespace {

class ChartOutputTest : public daxo::app::test::OutputWalk {
protected:
    void TearDown() override
    {
        OutputWalk::TearDown();
        EXPECT_EQ(chartWindow(ChartKind::Absolute), nullptr) << "the chart windows go with the main window";
    }

    // The window of a kind, TfrmGraphPopMasc or TfrmGrafPerc.
    static ChartWindow* chartWindow(ChartKind kind)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<ChartWindow*>(w); c && c->kind() == kind)
                return c;
        return nullptr;
    }
    static QString header(ChartWindow* w) { return w->findChild<QLabel*>("LabelTopo")->text(); }
    // The switch button "%" as it shows once the detail panel is opened.
    static bool offersSwitch(ChartWindow* w)
    {
        return w->findChild<QWidget*>("bt_Percentual")->isVisibleTo(w->findChild<QWidget*>("Panel2"));
    }
    // The query for Sergipe run to the output step.
    void walkToOutputs(int indicator, std::initializer_list<const char*> boxes, int firstAge = 0, int lastAge = 0)
    {
        walkToLocalities(indicator, boxes, firstAge, lastAge);
        chooseLocality("Sergipe");
        click("btAvancar");
        ASSERT_EQ(window->PassoAtual(), 4) << messages.join(" | ").toStdString();
    }
    static double cell(const daxo::reports::WorkTable& t, const std::string& column)
    {
        for (std::size_t c = 0; c < t.columns.size(); ++c)
            if (t.columns[c] == column)
                return t.rows.at(0)[c].asFloat();
        ADD_FAILURE() << column;
        return -1;
    }
};

} // namespace

TEST_F(ChartOutputTest, PopulationGivesBothWindowsTheAbsoluteOnTop)
{
    walkToOutputs(0, {"chkMasculino", "chkFeminino"});
    click("bt_grafico");
    ASSERT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    ChartWindow* absolute = chartWindow(ChartKind::Absolute);
    ChartWindow* percentage = chartWindow(ChartKind::Percentage);
    ASSERT_NE(absolute, nullptr);
    ASSERT_NE(percentage, nullptr);
    EXPECT_TRUE(absolute->isVisible());
    EXPECT_TRUE(percentage->isVisible());
    EXPECT_TRUE(window->findChild<QWidget*>("pnaguarde")->isHidden());
    const QString caption = QString::fromStdString(window->wizard().caption());
    EXPECT_EQ(header(absolute), "Filtro:Censo 2000 - " + caption);
    EXPECT_EQ(header(percentage), header(absolute));
    EXPECT_TRUE(offersSwitch(absolute));

    // The copy holds each value as a share of Brazil's 2000 population.
    auto& dm = dmDAXO();
    const auto work = daxo::reports::readWorkTable(dm);
    const auto copy = daxo::reports::readWorkTable(dm, "TEMPER");
    ASSERT_EQ(copy.columns, work.columns);
    ASSERT_EQ(copy.rows.size(), 1u);
    for (const char* column : {"Mas", "Fem"}) {
        ASSERT_GT(cell(work, column), 0) << column;
        EXPECT_NEAR(cell(copy, column), cell(work, column) / 169872856 * 100, 0.005) << column;
    }

    // Switching hides the window whose button was pressed.
    absolute->onSwitch();
    EXPECT_FALSE(absolute->isVisible());
    EXPECT_TRUE(percentage->isVisible());
    percentage->onSwitch();
    EXPECT_TRUE(absolute->isVisible());
    EXPECT_FALSE(percentage->isVisible());
    // Closing the absolute window takes the percentage one along.
    absolute->onSwitch();
    absolute->onClose();
    EXPECT_FALSE(percentage->isVisible());

    // A failed print or save reaches the message window.
    daxo::app::test::readingMessages([absolute] { absolute->onError("Não foi possível imprimir o gráfico."); }, messages);
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("Não foi possível imprimir o gráfico.")});
}

TEST_F(ChartOutputTest, ClosingTheMainWindowEndsTheProgramWhileChartsAreShown)
{
    walkToOutputs(0, {"chkMasculino"});
    click("bt_grafico");
    ASSERT_TRUE(chartWindow(ChartKind::Absolute) && chartWindow(ChartKind::Absolute)->isVisible());
    // The event loop ends by itself once the main window is closed.
    QGuiApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(ChartOutputTest, ASecondChartOutputReplacesThePair)
{
    walkToOutputs(0, {"chkMasculino"});
    click("bt_grafico");
    QPointer<ChartWindow> firstAbsolute = chartWindow(ChartKind::Absolute);
    QPointer<ChartWindow> firstPercentage = chartWindow(ChartKind::Percentage);
    ASSERT_TRUE(firstAbsolute && firstPercentage) << messages.join(" | ").toStdString();
    click("bt_grafico");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    EXPECT_TRUE(firstAbsolute.isNull());
    EXPECT_TRUE(firstPercentage.isNull());
    ASSERT_NE(chartWindow(ChartKind::Absolute), nullptr);
    EXPECT_TRUE(chartWindow(ChartKind::Absolute)->isVisible());
    EXPECT_NE(chartWindow(ChartKind::Percentage), nullptr);
    int pairs = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        pairs += qobject_cast<ChartWindow*>(w) != nullptr;
    EXPECT_EQ(pairs, 2);
}

TEST_F(ChartOutputTest, IlliteracyHasNoPercentageWindow)
{
    // Two age groups: the bars of one locality come per age group.
    walkToOutputs(6, {"chkMasculino"}, 1, 2);
    click("bt_grafico");
    ASSERT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    ASSERT_NE(chartWindow(ChartKind::Absolute), nullptr);
    EXPECT_TRUE(chartWindow(ChartKind::Absolute)->isVisible());
    EXPECT_EQ(chartWindow(ChartKind::Percentage), nullptr);
    EXPECT_FALSE(offersSwitch(chartWindow(ChartKind::Absolute)));
    // A chart run labels each age group's bars with place, census and ages.
    const auto work = daxo::reports::readWorkTable(dmDAXO());
    ASSERT_TRUE(work.hasAgeColumn());
    ASSERT_EQ(work.rows.size(), 2u);
    const std::string label = work.rows[0][1].asString();
    EXPECT_EQ(std::count(label.begin(), label.end(), '\r'), 2) << label;
}

TEST_F(ChartOutputTest, RegionsAreRefusedAfterThePreviousChartsAreGone)
{
    walkToOutputs(0, {"chkMasculino"});
    click("bt_grafico");
    QPointer<ChartWindow> previous = chartWindow(ChartKind::Absolute);
    ASSERT_TRUE(previous) << messages.join(" | ").toStdString();
    click("btVoltar");
    ASSERT_EQ(window->PassoAtual(), 3);
    addNode("Regiões");
    click("btAvancar");
    ASSERT_EQ(window->PassoAtual(), 4) << messages.join(" | ").toStdString();
    click("bt_grafico");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString::fromUtf8(daxo::charts::kRecusaNiveis));
    EXPECT_TRUE(previous.isNull());
    EXPECT_EQ(chartWindow(ChartKind::Absolute), nullptr);
    EXPECT_EQ(chartWindow(ChartKind::Percentage), nullptr);
    EXPECT_TRUE(window->findChild<QWidget*>("pnaguarde")->isHidden());
}

TEST_F(ChartOutputTest, AllStatesAndAllMunicipalitiesAreRefused)
{
    const std::vector<std::pair<QString, const char*>> cases = {
        {"Unidade da Federação", daxo::charts::kRecusaNiveis}, {"Município", daxo::charts::kRecusaMunicipios}};
    walkToLocalities(0, {"chkMasculino"});
    for (const auto& [node, message] : cases) {
        addNode(node);
        click("btAvancar");
        ASSERT_EQ(window->PassoAtual(), 4) << messages.join(" | ").toStdString();
        click("bt_grafico");
        ASSERT_EQ(messages.size(), 1) << node.toStdString();
        EXPECT_EQ(messages.takeFirst(), QString::fromUtf8(message));
        EXPECT_EQ(chartWindow(ChartKind::Absolute), nullptr);
        EXPECT_TRUE(window->findChild<QWidget*>("pnaguarde")->isHidden());
        // The next case on a chosen list of its own.
        click("btVoltar");
        click("lblLimpar");   // "Limpar Todas"
        ASSERT_EQ(window->findChild<QListWidget*>("cbSelecao")->count(), 0);
    }
}
