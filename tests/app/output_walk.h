#pragma once
// The main window with the real pages and the output buttons wired, on the
// small sample installation written by the generator, walked as a user does.
#include "app/application.h"
#include "app/chart_output.h"
#include "app/data_module_setup.h"
#include "app/main_window.h"
#include "app/map_output.h"
#include "app/query_actions.h"
#include "app/table_output.h"
#include "click_reading_messages.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace daxo::app::test {

class OutputWalk : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/daxo-output-XXXXXX";
        program = mkdtemp(pattern);
        setenv("DAXO_ENGINE_CONFIG", (program / "aliases.cfg").c_str(), 1);
        const std::string command = std::string(DAXO_GENERATE) + " " + program.string() + " --small > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        criaDmDAXO(program);
    }
    static void TearDownTestSuite()
    {
        unsetenv("DAXO_ENGINE_CONFIG");
        std::filesystem::remove_all(program);
    }

    void SetUp() override
    {
        auto indicators = std::make_unique<indicators::IndicatorPageController>(runAction);
        auto localities = std::make_unique<localities::LocalityPageController>(
            dmDAXO, [page = indicators.get()] { page->rebuildCaption(); }, runAction);
        auto* indicatorPage = indicators.get();
        auto* localityPage = localities.get();
        window = std::make_unique<TfrmPrincipal>(std::move(indicators), std::move(localities));
        wireTableOutput(*window, *indicatorPage, *localityPage);
        wireChartOutput(*window, *indicatorPage, *localityPage);
        wireMapOutput(*window, *indicatorPage, *localityPage);
        wireQueryActions(*window, *indicatorPage, *localityPage, [this](FileDialogKind) { return queryFile; });
        window->setProgramFolder(program);
        window->setScreenWidthSource([] { return 1024; });
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override { window.reset(); }

    // Clicks a button; a message window it opens is read and closed.
    void click(const char* name)
    {
        QApplication::processEvents();
        QWidget* target = window->findChild<QWidget*>(name);
        ASSERT_NE(target, nullptr) << name;
        clickReadingMessages(target, messages);
        QApplication::processEvents();
    }
    void tick(const char* box)
    {
        // A check box answers to clicks on its box and caption only.
        QTest::mouseClick(window->findChild<QCheckBox*>(box), Qt::LeftButton, {}, QPoint(8, 10));
    }
    // Double-clicks the tree node `name`, as a user adds it to the chosen list.
    void addNode(const QString& name)
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
    }
    // Adds a locality, which then ends the chosen list of `count` entries.
    void chooseLocality(const QString& name, int count = 1)
    {
        addNode(name);
        auto* chosen = window->findChild<QListWidget*>("cbSelecao");
        ASSERT_EQ(chosen->count(), count);
        EXPECT_EQ(chosen->item(count - 1)->text(), name);
    }
    // Picks an item of the shown combo whose name starts with `prefix`.
    void pick(const QString& prefix, int item)
    {
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            if (combo->objectName().startsWith(prefix) && combo->isVisible()) {
                combo->setCurrentIndex(item);
                emit combo->activated(item);
                return;
            }
        ADD_FAILURE() << "no combo " << prefix.toStdString();
    }
    // Census 2000, the indicator with the boxes ticked and the age range
    // items picked (0: none), then the locality step.
    void walkToLocalities(int indicatorIndex = 0, std::initializer_list<const char*> boxes = {"chkMasculino", "chkFeminino"},
                          int firstAge = 0, int lastAge = 0)
    {
        click("btAvancar");
        auto* census = window->findChild<QComboBox*>("cbCenso");
        census->setCurrentIndex(census->findText("2000"));
        emit census->activated(census->currentIndex());
        click("btAvancar");
        auto* indicator = window->findChild<QComboBox*>("cbIndicadores");
        indicator->setCurrentIndex(indicatorIndex);
        emit indicator->activated(indicatorIndex);
        for (const char* box : boxes)
            tick(box);
        if (firstAge > 0) {
            pick("cbFaixaInicialPopulacao", firstAge);
            pick("cbFaixaFinalPopulacao", lastAge);
        }
        click("btAvancar");
        ASSERT_EQ(window->PassoAtual(), 3) << messages.join(" | ").toStdString();
    }

    static inline std::filesystem::path program;
    std::unique_ptr<TfrmPrincipal> window;
    // What the file dialogs of "Salvar consulta…", "Abrir consulta…" and "Exportar…" answer.
    std::optional<std::filesystem::path> queryFile;
    QStringList messages;
};

} // namespace daxo::app::test
