#include "localities/widgets/locality_page.h"
#include "localities/widgets/locality_page_widget.h"
#include "localities/widgets/municipality_chooser_dialog.h"
#include "platform/data_module.h"
#include "platform/dbf_table.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace daxo::localities {
namespace {

namespace fs = std::filesystem;
using platform::DataModule;
using platform::DbfTable;
using platform::FieldType;

struct Host : app::WizardHost {
    std::string censusText() const override { return "2000"; }
    void setCaption(const std::string& text) override { caption_ = text; }
    std::string caption() const override { return caption_; }
    int indicatorIndex() const override { return indicator; }
    void localitySelectionTouched() override { ++touched; }
    std::string caption_;
    int indicator = 0, touched = 0;
};

struct Map : SelectionMap {
    void Pintaqui(const std::string& valor, const std::string& camada, std::uint32_t) override
    {
        calls.push_back(valor + "@" + camada);
    }
    void PintaquiEstado(const std::string& valor, const std::string& camada, std::uint32_t) override
    {
        calls.push_back(valor + "@" + camada);
    }
    void ckMostrarMunicipioClick(bool ticked) override { names.push_back(ticked); }
    std::vector<std::string> calls;
    std::vector<bool> names;
};

class Page : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("daxo_page_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        auto table = DbfTable::create(folder / "Municipios2000.dbf", {{"NOME", FieldType::Character, 40, 0},
                                                                      {"CODIGO", FieldType::Character, 6, 0},
                                                                      {"SIGLA", FieldType::Character, 2, 0}});
        const char* rows[][3] = {{"Xapuri", "120070", "AC"},     {"Rio Branco", "120040", "AC"},
                                 {"Acrelândia", "120001", "AC"}, {"Rio Branco do Sul", "412220", "PR"},
                                 {"Brasiléia", "120010", "AC"}};
        for (const auto& r : rows) {
            const auto n = table.appendRecord();
            for (int f = 0; f < 3; ++f)
                table.setValue(n, f, r[f]);
        }
        table.save();
        dm = std::make_unique<DataModule>(folder);
        controller = std::make_unique<LocalityPageController>(
            [this]() -> DataModule& { return *dm; }, [this] { ++captions; },
            [this](const std::function<void()>& action) {
                try {
                    action();
                } catch (const std::exception& e) {
                    refusals.push_back(e.what());
                }
            });
        controller->attach(host);
        controller->setSelectionMap(&map);
        controller->widget()->resize(718, 341);
        controller->widget()->show();
    }
    void TearDown() override
    {
        controller.reset();
        dm.reset();
        fs::remove_all(folder);
    }

    LocalityPageWidget& w() { return controller->page(); }

    static QTreeWidgetItem* item(QTreeWidget* tree, int position)
    {
        QTreeWidgetItemIterator it(tree);
        for (; *it; ++it)
            if (LocalityPageWidget::positionOf(*it) == position)
                return *it;
        return nullptr;
    }
    // As a user would: the node's branch is open and the node in view
    // before the mouse clicks it.
    QPoint reveal(QTreeWidget* tree, int position)
    {
        QTreeWidgetItem* i = item(tree, position);
        for (QTreeWidgetItem* p = i->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->scrollToItem(i);
        return tree->visualItemRect(i).center();
    }
    void click(QTreeWidget* tree, int position)
    {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, reveal(tree, position));
    }
    // The events of a real double click: a click, then the second press
    // that arrives as a double click, and its release.
    static void doubleClickAt(QWidget* viewport, QPoint at)
    {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }
    void doubleClick(QTreeWidget* tree, int position) { doubleClickAt(tree->viewport(), reveal(tree, position)); }
    void doubleClickChosen(int row)
    {
        QListWidget* list = w().cbSelecao;
        doubleClickAt(list->viewport(), list->visualItemRect(list->item(row)).center());
    }
    std::vector<std::string> shown() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < controller->page().cbSelecao->count(); ++i)
            out.push_back(controller->page().cbSelecao->item(i)->text().toStdString());
        return out;
    }
    // Runs `inside` on the chooser once it is shown, then closes it.
    void whenChooserOpens(std::function<void(TfrmEscolheMunicipio&)> inside)
    {
        QTimer::singleShot(0, [this, inside] {
            auto* frm = dynamic_cast<TfrmEscolheMunicipio*>(QApplication::activeModalWidget());
            if (!frm) {
                ADD_FAILURE() << "no chooser";
                return;
            }
            ++choosers;
            inside(*frm);
            // Closed from the dialog's own loop, which may not run yet.
            QTimer::singleShot(0, frm, [frm] { frm->reject(); });
        });
    }

    fs::path folder;
    std::unique_ptr<DataModule> dm;
    Host host;
    Map map;
    std::unique_ptr<LocalityPageController> controller;
    std::vector<std::string> refusals;
    int captions = 0, choosers = 0;
};

TEST_F(Page, TreesHoldEveryNode)
{
    int count = 0;
    for (QTreeWidgetItemIterator it(w().TreeView1); *it; ++it)
        EXPECT_EQ(LocalityPageWidget::positionOf(*it), count++);
    EXPECT_EQ(count, 715);
    EXPECT_EQ(w().TreeView1->topLevelItemCount(), 5);
    EXPECT_EQ(item(w().TreeView1, 686)->text(0), "Rio Formoso");
    EXPECT_EQ(w().TreeView2->topLevelItemCount(), 2);
    EXPECT_EQ(w().TreeView2->topLevelItem(1)->childCount(), 27);
    EXPECT_FALSE(w().Panel2->isVisible());
    EXPECT_FALSE(w().mapArea->isVisible());
}

TEST_F(Page, DoubleClicksFillTheListAndRefusalsReachTheHandler)
{
    doubleClick(w().TreeView1, 4);    // Norte
    doubleClick(w().TreeView1, 46);   // Goiás Rural (Urbano first for Goiás)
    doubleClick(w().TreeView1, 4);
    EXPECT_EQ(shown(), (std::vector<std::string>{"Norte", "Goiás Rural"}));
    EXPECT_EQ(controller->chosen().codes(), (std::vector<std::string>{"1", "52999"}));
    EXPECT_EQ(refusals, std::vector<std::string>{"Esta localidade já foi escolhida"});
    EXPECT_EQ(map.calls.back(), "NORTE@Regioes");
    EXPECT_TRUE(w().Panel2->isVisible());
    EXPECT_TRUE(w().mapArea->isVisible());
    EXPECT_EQ(controller->CamadaAtual(), "Regioes");
    EXPECT_GE(host.touched, 3);

    QTest::mouseClick(w().lblLimpar1, Qt::LeftButton);
    EXPECT_EQ(refusals.back(), "Selecione pelo menos um item");
    doubleClickChosen(0);
    EXPECT_EQ(shown(), std::vector<std::string>{"Goiás Rural"});
    EXPECT_EQ(refusals.size(), 2u);
    QTest::mouseClick(w().lblLimpar, Qt::LeftButton);
    EXPECT_TRUE(shown().empty());
}

TEST_F(Page, TreeClickUnticksShowNames)
{
    w().ckMostrarMunicipio->setChecked(true);
    click(w().TreeView1, 104);   // Cruzeiro do Sul
    EXPECT_FALSE(w().ckMostrarMunicipio->isChecked());
    EXPECT_EQ(map.names, std::vector<bool>{false});
    EXPECT_EQ(map.calls.back(), "120001@ind_Acre");
    EXPECT_EQ(controller->CodigoLocal(), "12001");
    EXPECT_EQ(w().TreeView1->currentItem()->text(0), "Cruzeiro do Sul");
}

TEST_F(Page, RuralChildStaysSelectedAndKeysOnlyMoveTheSelection)
{
    click(w().TreeView1, 17);   // Sul Rural
    EXPECT_EQ(w().TreeView1->currentItem()->text(0), "Sul Rural");
    EXPECT_EQ(map.calls.back(), "SUL@Regioes");
    EXPECT_EQ(controller->CodigoLocal(), "3");

    const auto calls = map.calls.size();
    w().TreeView1->setFocus();
    QTest::keyClick(w().TreeView1, Qt::Key_Up);
    EXPECT_EQ(w().TreeView1->currentItem()->text(0), "Sul");
    QTest::keyClick(w().TreeView1, Qt::Key_Up);
    EXPECT_EQ(w().TreeView1->currentItem()->text(0), "Sudeste");
    EXPECT_EQ(map.calls.size(), calls);
    EXPECT_EQ(controller->CodigoLocal(), "3");
}

TEST_F(Page, ChooserForAcre)
{
    whenChooserOpens([&](TfrmEscolheMunicipio& frm) {
        EXPECT_EQ(frm.windowTitle(), "Acre");
        EXPECT_EQ(frm.size(), QSize(304, 272));
        ASSERT_EQ(frm.DBGrid1->rowCount(), 4);
        EXPECT_EQ(frm.DBGrid1->item(0, 0)->text(), "Acrelândia");
        EXPECT_EQ(frm.DBGrid1->item(3, 0)->text(), "Xapuri");
        EXPECT_EQ(frm.focusWidget(), frm.Edit1);

        QTest::keyClicks(frm.Edit1, "rio b");
        EXPECT_EQ(frm.Edit1->text(), "Rio b");
        EXPECT_EQ(frm.DBGrid1->currentRow(), 2);
        frm.SpeedButton1->click();   // Rio Branco, then on to Xapuri
        EXPECT_TRUE(frm.Edit1->text().isEmpty());
        frm.SpeedButton1->click();
        frm.SpeedButton1->click();   // the last row twice
        EXPECT_EQ(shown(), (std::vector<std::string>{"Brasil", "Rio Branco", "Xapuri", "Xapuri"}));
    });
    doubleClick(w().TreeView1, 0);
    click(w().TreeView1, 688);
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(controller->chosen().codes(), (std::vector<std::string>{"0", "120040", "120070", "120070"}));

    whenChooserOpens([&](TfrmEscolheMunicipio& frm) {
        frm.SpeedButton2->click();   // "Todos + " replaces the list
        EXPECT_EQ(shown(), (std::vector<std::string>{"Acrelândia", "Brasiléia", "Rio Branco", "Xapuri"}));
    });
    // Expanding any node while Acre stays selected opens it again.
    w().TreeView1->topLevelItem(1)->setExpanded(true);
    EXPECT_EQ(choosers, 2);
    EXPECT_EQ(controller->chosen().codes(), (std::vector<std::string>{"120001", "120010", "120040", "120070"}));

    whenChooserOpens([&](TfrmEscolheMunicipio& frm) {
        doubleClickAt(frm.DBGrid1->viewport(), frm.DBGrid1->visualItemRect(frm.DBGrid1->item(1, 0)).center());
        EXPECT_FALSE(frm.isVisible());
    });
    click(w().TreeView1, 688);
    EXPECT_EQ(controller->chosen().texts().back(), "Brasiléia");
    EXPECT_EQ(controller->chosen().size(), 5);
    EXPECT_TRUE(refusals.empty());
}

TEST_F(Page, ChooserWithoutTableSaysSo)
{
    fs::remove(folder / "Municipios2000.dbf");
    click(w().TreeView1, 688);
    EXPECT_EQ(choosers, 0);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_TRUE(refusals[0].starts_with("Não foi possível ler a tabela de municípios")) << refusals[0];
}

TEST_F(Page, MigrationTree)
{
    host.indicator = 14;
    controller->setHierarchyTreeVisible(false);
    controller->setMigrationTreeVisible(true);
    doubleClick(w().TreeView2, 11);   // Bahia
    doubleClick(w().TreeView2, 1);    // Norte
    doubleClick(w().TreeView2, 0);    // Regiões
    EXPECT_EQ(shown(), (std::vector<std::string>{"Bahia para", "Norte"}));
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_TRUE(refusals[0].starts_with("As informações para, só podem ser"));

    w().cbSelecao->setCurrentRow(0);
    QTest::mouseClick(w().lblLimpar1, Qt::LeftButton);
    EXPECT_EQ(shown(), std::vector<std::string>{"Norte para"});
    w().cbSelecao->setCurrentRow(0);
    QTest::mouseClick(w().lblLimpar1, Qt::LeftButton);
    EXPECT_EQ(captions, 1);
}

} // namespace
} // namespace daxo::localities
