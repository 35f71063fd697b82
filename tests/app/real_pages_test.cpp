// The main window with the real pages: the census refusals on the way into
// and out of the indicator step, the locality page's own transitions.
#include "app/application.h"
#include "app/main_window.h"
#include "click_reading_messages.h"
#include "app/message_window.h"
#include "app/data_module_setup.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace daxo::app;

namespace {

class RealPagesTest : public testing::Test {
protected:
    std::unique_ptr<TfrmPrincipal> window;
    QStringList messages;

    void SetUp() override
    {
        auto indicators = std::make_unique<daxo::indicators::IndicatorPageController>(runAction);
        auto localities = std::make_unique<daxo::localities::LocalityPageController>(
            dmDAXO, [page = indicators.get()] { page->rebuildCaption(); }, runAction);
        window = std::make_unique<TfrmPrincipal>(std::move(indicators), std::move(localities));
        window->setProgramFolder("/nonexistent");
        window->setScreenWidthSource([] { return 1024; });
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override { window.reset(); }

    // Clicks a button; a message window it opens is read and closed.
    void click(const char* name)
    {
        QApplication::processEvents();   // pages shown just now get their layout
        QWidget* target = window->findChild<QWidget*>(name);
        ASSERT_NE(target, nullptr) << name;
        daxo::app::test::clickReadingMessages(target, messages);
    }
    void choose(const char* combo, int index)
    {
        auto* cb = window->findChild<QComboBox*>(combo);
        ASSERT_NE(cb, nullptr) << combo;
        cb->setCurrentIndex(index);
        emit cb->activated(index);
    }
    QString page() const { return window->findChild<QStackedWidget*>("PageControl1")->currentWidget()->objectName(); }
};

TEST_F(RealPagesTest, AvancarTwiceThenOnWithPopulacaoAndNothingTicked)
{
    click("btAvancar");
    click("btAvancar");
    EXPECT_EQ(window->PassoAtual(), 2);
    EXPECT_EQ(window->wizard().indicatorIndex(), 0);
    EXPECT_EQ(window->wizard().caption(), "População");
    click("btAvancar");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    EXPECT_EQ(window->PassoAtual(), 3);
    EXPECT_EQ(page(), "TabSheet4");
}

TEST_F(RealPagesTest, DeficiencyUnderBothCensusesIsRefusedTwice)
{
    click("btAvancar");
    click("btAvancar");
    choose("cbIndicadores", 13);
    ASSERT_TRUE(messages.isEmpty());
    click("btVoltar");
    ASSERT_EQ(window->PassoAtual(), 1);
    choose("cbCenso", 2);

    click("btAvancar");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString::fromUtf8("Não é possível buscar informações de portadores de deficiência do censo de "
                                             "1991 e 2000 juntas, levantamentos diferenciados"));
    EXPECT_EQ(window->PassoAtual(), 2);
    EXPECT_EQ(window->wizard().indicatorIndex(), 13);
    EXPECT_EQ(page(), "TabSheet3");

    click("btAvancar");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QString::fromUtf8("Este indicador não pode ser comparado entre os anos, escolha um ano de cada vez"));
    EXPECT_EQ(window->PassoAtual(), 2);
    EXPECT_EQ(page(), "TabSheet3");
}

TEST_F(RealPagesTest, LimparTodasLeavesTheOutputChoice)
{
    while (window->PassoAtual() < 4)
        click("btAvancar");
    ASSERT_FALSE(window->findChild<QWidget*>("pnEscolhaSaida")->isHidden());
    ASSERT_FALSE(window->findChild<QWidget*>("TreeView1")->isEnabled());
    click("lblLimpar");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    EXPECT_EQ(window->PassoAtual(), 3);
    EXPECT_TRUE(window->findChild<QWidget*>("pnEscolhaSaida")->isHidden());
    EXPECT_FALSE(window->findChild<QWidget*>("btAvancar")->isHidden());
    EXPECT_TRUE(window->findChild<QWidget*>("TreeView1")->isEnabled());
}

TEST_F(RealPagesTest, MigrationShowsItsTreeOnTheLocalityStep)
{
    click("btAvancar");
    click("btAvancar");
    choose("cbIndicadores", 14);
    // A check box answers to clicks on its box and caption only.
    QTest::mouseClick(window->findChild<QCheckBox*>("chkEntrada"), Qt::LeftButton, {}, QPoint(8, 10));
    click("btAvancar");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    ASSERT_EQ(window->PassoAtual(), 3);
    EXPECT_FALSE(window->findChild<QWidget*>("TreeView2")->isHidden());
    EXPECT_TRUE(window->findChild<QWidget*>("TreeView1")->isHidden());
}

} // namespace
