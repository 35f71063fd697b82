// Grabs the main window in each wizard state, the
// About window and the message window; with a program folder that holds
// Bases, also the screen with a tree node's hint and with the municipality
// chooser over the locality page (run under a display server):
// shell_screenshots <program folder> <output folder>
#include "app/about_window.h"
#include "app/application.h"
#include "app/main_window.h"
#include "app/message_window.h"
#include "app/data_module_setup.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"

#include <QDir>
#include <QHelpEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QTreeWidget>

#include <filesystem>

using namespace daxo::app;

int main(int argc, char** argv)
{
    DaxoApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString out = QDir(argv[2]).absolutePath();
    QDir::setCurrent(argv[1]);
    const bool withData = QDir("Bases").exists();
    if (withData)
        runAction([] { criaDmDAXO(std::filesystem::current_path()); });
    auto indicators = std::make_unique<daxo::indicators::IndicatorPageController>(runAction);
    auto localities = std::make_unique<daxo::localities::LocalityPageController>(
        dmDAXO, [page = indicators.get()] { page->rebuildCaption(); }, runAction);
    TfrmPrincipal window(std::move(indicators), std::move(localities));
    window.setProgramFolder("/nonexistent");
    window.show();
    QTest::qWait(2000);
    auto* avancar = window.findChild<QPushButton*>("btAvancar");
    const auto grab = [&](const char* name) {
        QTest::qWait(200);
        window.grab().save(out + "/" + name + ".png");
    };
    grab("welcome");
    avancar->click();
    grab("census");
    avancar->click();
    grab("indicator");
    avancar->click();
    grab("locality");
    if (withData) {
        // The screen around the window, hints and dialogs included.
        const auto grabScreen = [&](const char* name) {
            const QRect around = window.frameGeometry().adjusted(-10, -10, 200, 10);
            window.screen()->grabWindow(0).copy(around).save(out + "/" + name + ".png");
        };
        auto* tree = window.findChild<QTreeWidget*>("TreeView1");
        QTreeWidgetItem* node =
            tree->findItems("Rio Grande do Norte Rural", Qt::MatchExactly | Qt::MatchRecursive).front();
        for (QTreeWidgetItem* p = node->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->scrollToItem(node);
        QTest::qWait(200);
        const QPoint at = tree->visualItemRect(node).center();
        QHelpEvent hint(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
        QApplication::sendEvent(tree->viewport(), &hint);
        QTest::qWait(300);
        grabScreen("tree_hint");
        QToolTip::hideText();

        QTreeWidgetItem* acre = tree->findItems(QString::fromUtf8("Município"), Qt::MatchExactly).front()->child(0);
        tree->scrollToItem(acre);
        QTest::qWait(200);
        QTimer::singleShot(800, [&] {
            grabScreen("municipality_chooser");
            if (QWidget* chooser = QApplication::activeModalWidget())
                chooser->close();
        });
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(acre).center());
    }
    while (window.PassoAtual() < 4)
        avancar->click();
    grab("output");

    TfrmSobre about(&window);
    about.show();
    QTest::qWait(200);
    about.grab().save(out + "/about.png");
    TfrmMensagem message(QString::fromUtf8("Este indicador não pode ser comparado entre os anos, escolha um ano de cada vez"), &window);
    message.show();
    QTest::qWait(200);
    message.grab().save(out + "/message.png");
    return 0;
}
