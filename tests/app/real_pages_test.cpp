// The main window with the real pages: the census refusals on the way into
// and out of the indicator step, the locality page's own transitions.
#include "app/application.h"
#include "app/main_window.h"
#include "click_reading_messages.h"
#include "app/message_window.h"
#include "app/data_module_setup.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"
#include "localities/widgets/locality_page_widget.h"
#include "localities/widgets/municipality_chooser_dialog.h"
#include "app/about_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QTreeWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace daxo::app;

namespace {

double luminance(const QColor& c)
{
    const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every text of a window against the colour most painted under it. The
// program's own pairs (white or yellow on its light blue, about 2.4:1) are
// the floor: below it a colour reached a ground it was not meant for.
void expectReadable(QWidget* window, const char* where)
{
    const QImage image = window->grab().toImage();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || !w->isEnabled() || w->window() != window)
            continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull())
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text();
        if (text.trimmed().isEmpty())
            continue;
        const QRect place(w->mapTo(window, QPoint(0, 0)), w->size());
        std::map<QRgb, int> counts;
        for (int y = place.top(); y <= place.bottom(); ++y)
            for (int x = place.left(); x <= place.right(); ++x)
                ++counts[image.pixel(x, y)];
        const auto ground = std::max_element(counts.begin(), counts.end(),
                                             [](const auto& a, const auto& b) { return a.second < b.second; });
        const QColor ink = w->palette().color(w->foregroundRole());
        EXPECT_GE(contrast(ink, QColor(ground->first)), 2.3)
            << where << ": " << text.toStdString() << " " << ink.name().toStdString() << " on "
            << QColor(ground->first).name().toStdString();
    }
}

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

TEST_F(RealPagesTest, EveryWindowsTextStandsOutFromItsGround)
{
    const char* steps[] = {"boas-vindas", "censo", "indicador", "localidade", "saída"};
    for (int step = 0; step <= 4; ++step) {
        expectReadable(window.get(), steps[step]);
        if (step < 4)
            click("btAvancar");
    }
    daxo::localities::MunicipalityChooser none;
    daxo::localities::ChosenList chosen;
    daxo::localities::TfrmEscolheMunicipio chooser(none, chosen, "Acre", {}, window->findChild<QWidget*>("PainelUnidade"));
    chooser.show();
    expectReadable(&chooser, "municípios");
    TfrmSobre about(window.get());
    about.show();
    expectReadable(&about, "sobre");
    TfrmMensagem message("Selecione pelo menos um item", window.get());
    message.show();
    expectReadable(&message, "mensagem");
}

TEST_F(RealPagesTest, LabelMunicipioStaysInViewAfterTheCensusStep)
{
    while (window->PassoAtual() < 3)
        click("btAvancar");
    click("btnCenso");
    ASSERT_EQ(window->PassoAtual(), 1);
    while (window->PassoAtual() < 3)
        click("btAvancar");
    QApplication::processEvents();
    EXPECT_TRUE(window->findChild<QLabel*>("LabelMunicipio")->isVisible());
}

// A hint asked for as the mouse rests on `target` at `at`.
void askHint(QWidget* target, QPoint at)
{
    QHelpEvent event(QEvent::ToolTip, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &event);
}

TEST_F(RealPagesTest, EveryHintLeavesAfterSevenSeconds)
{
    click("btAvancar");
    click("btAvancar");
    int hints = 0;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->toolTip().isEmpty() || !w->isVisible())
            continue;
        askHint(w, w->rect().center());
        EXPECT_EQ(w->toolTipDuration(), 7000) << w->objectName().toStdString();
        ++hints;
    }
    EXPECT_GE(hints, 5);
    QToolTip::hideText();
}

TEST_F(RealPagesTest, ATreeNodeCutShortShowsItsWholeTextAsItsHint)
{
    while (window->PassoAtual() < 3)
        click("btAvancar");
    auto* tree = window->findChild<QTreeWidget*>("TreeView1");
    const auto found = tree->findItems("Rio Grande do Norte Rural", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty());
    for (QTreeWidgetItem* p = found.front()->parent(); p; p = p->parent())
        p->setExpanded(true);
    tree->resize(110, tree->height());   // narrow enough to cut it with any font
    tree->scrollToItem(found.front());
    QApplication::processEvents();
    askHint(tree->viewport(), tree->visualItemRect(found.front()).center());
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Rio Grande do Norte Rural");
    EXPECT_EQ(tree->textElideMode(), Qt::ElideMiddle);
    QToolTip::hideText();
}

} // namespace
