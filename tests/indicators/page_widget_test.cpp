#include "indicators/catalogue.h"
#include "indicators/widgets/indicator_page.h"
#include "indicators/widgets/indicator_page_widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>

#include <gtest/gtest.h>

using namespace daxo::indicators;

namespace {

class FakeHost : public daxo::app::WizardHost {
public:
    std::string census = "2000";
    std::string shownCaption;
    std::string censusText() const override { return census; }
    void setCaption(const std::string& text) override { shownCaption = text; }
    std::string caption() const override { return shownCaption; }
    int indicatorIndex() const override { return -1; }
    void localitySelectionTouched() override {}
};

// The leaf widgets shown on the current panel, in page coordinates.
std::vector<std::pair<QWidget*, QRect>> shownLeaves(QWidget* page, QWidget* root)
{
    std::vector<std::pair<QWidget*, QRect>> leaves;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page)) continue;
        if (!qobject_cast<QCheckBox*>(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QLabel*>(w) &&
            !qobject_cast<QAbstractButton*>(w))
            continue;
        if (w->parentWidget() && qobject_cast<QComboBox*>(w->parentWidget())) continue;
        leaves.push_back({w, QRect(w->mapTo(page, QPoint(0, 0)), w->size())});
    }
    return leaves;
}

} // namespace

TEST(PageWidget, EveryPanelFitsThePageWithoutOverlaps)
{
    FakeHost host;
    IndicatorPageController page;
    page.attach(host);
    QWidget* widget = page.widget();
    widget->show();
    const char* shots = std::getenv("DAXO_SCREENSHOTS");
    for (int indicator = 0; indicator < IndicatorCount; ++indicator) {
        host.census = indicator == 7 ? "1991" : "2000";
        page.panels().selectIndicator(indicator);
        page.indicatorChanged();
        QApplication::processEvents();
        auto* box = widget->findChild<QGroupBox*>(QString::fromStdString(indicatorInfo(indicator).groupBox));
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box->isVisibleTo(widget)) << indicator;
        EXPECT_EQ(box->title().toStdString(), indicatorInfo(indicator).groupCaption);
        const QRect boxRect(box->mapTo(widget, QPoint(0, 0)), box->size());
        EXPECT_TRUE(widget->rect().contains(boxRect)) << indicator;
        const auto leaves = shownLeaves(widget, box);
        EXPECT_FALSE(leaves.empty());
        for (std::size_t a = 0; a < leaves.size(); ++a) {
            EXPECT_TRUE(boxRect.contains(leaves[a].second))
                << indicator << " " << leaves[a].first->objectName().toStdString() << " cut off";
            EXPECT_GE(leaves[a].second.width(), leaves[a].first->minimumSizeHint().width() - 1)
                << indicator << " " << leaves[a].first->objectName().toStdString() << " squeezed";
            EXPECT_GE(leaves[a].second.height(), leaves[a].first->sizeHint().height())
                << indicator << " " << leaves[a].first->objectName().toStdString() << " squeezed in height";
            // A combo sized by its contents after every change resizes itself
            // from a timer, after the layout has placed it.
            if (auto* combo = qobject_cast<QComboBox*>(leaves[a].first))
                EXPECT_NE(combo->sizeAdjustPolicy(), QComboBox::AdjustToContents) << indicator;
            for (std::size_t b = a + 1; b < leaves.size(); ++b) {
                if (leaves[a].first->isAncestorOf(leaves[b].first) || leaves[b].first->isAncestorOf(leaves[a].first))
                    continue;
                EXPECT_FALSE(leaves[a].second.intersects(leaves[b].second))
                    << indicator << ": " << leaves[a].first->objectName().toStdString() << " overlaps "
                    << leaves[b].first->objectName().toStdString();
            }
        }
        if (shots) widget->grab().save(QString("%1/indicador%2.png").arg(shots).arg(indicator));
    }
    EXPECT_EQ(host.shownCaption, " Informações  entre duas datas fixas da população");
}

TEST(PageWidget, ClicksReachTheModelAndRefusalsAreReported)
{
    FakeHost host;
    std::vector<std::string> reported;
    IndicatorPageController page([&](const std::function<void()>& action) {
        try {
            action();
        } catch (const std::exception& e) {
            reported.push_back(e.what());
        }
    });
    page.attach(host);
    page.selectFirstIndicator();
    page.indicatorChanged();
    EXPECT_EQ(host.shownCaption, "População");
    page.panels().selectIndicator(3);
    page.indicatorChanged();
    QWidget* widget = page.widget();
    widget->findChild<QCheckBox*>("chkBranco")->click();
    widget->findChild<QCheckBox*>("chkTodos")->click();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "A opção total não pode se usada com cor");
    EXPECT_FALSE(widget->findChild<QCheckBox*>("chkTodos")->isChecked());
    EXPECT_TRUE(widget->findChild<QCheckBox*>("chkBranco")->isChecked());
    EXPECT_EQ(host.shownCaption, "Famílias da cor branca");
}

TEST(PageWidget, SanitationCombosArePaintedByTheirState)
{
    FakeHost host;
    IndicatorPageController page;
    page.attach(host);
    page.panels().selectIndicator(2);
    page.indicatorChanged();
    QWidget* widget = page.widget();
    auto* lixo = widget->findChild<QComboBox*>("cbLixoColetado");
    auto* agua = widget->findChild<QComboBox*>("cbAguaCanalizada");
    ASSERT_TRUE(lixo && agua);
    EXPECT_FALSE(lixo->isEnabled());
    EXPECT_TRUE(lixo->styleSheet().contains("rgb(230,230,230)"));
    widget->findChild<QRadioButton*>("RadioLixoColetado")->click();
    EXPECT_TRUE(lixo->isEnabled());
    EXPECT_TRUE(lixo->styleSheet().contains("white"));
    EXPECT_FALSE(widget->findChild<QCheckBox*>("Desmarca")->isChecked());
    lixo->activated(1);
    EXPECT_EQ(host.shownCaption, "Domicílios particulares permanentes com lixo coletado indiretamente");
    widget->findChild<QRadioButton*>("RadioAguaCanalizada")->click();
    EXPECT_EQ(lixo->currentIndex(), -1);
    EXPECT_FALSE(lixo->isEnabled());
    EXPECT_TRUE(agua->isEnabled());
}
