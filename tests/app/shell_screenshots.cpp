// Grabs the main window in each wizard state, the
// About window and the message window:
// shell_screenshots <program folder> <output folder>
#include "app/about_window.h"
#include "app/application.h"
#include "app/main_window.h"
#include "app/message_window.h"
#include "app/data_module_setup.h"
#include "indicators/widgets/indicator_page.h"
#include "localities/widgets/locality_page.h"

#include <QDir>
#include <QPushButton>
#include <QTest>

using namespace daxo::app;

int main(int argc, char** argv)
{
    DaxoApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString out = QDir(argv[2]).absolutePath();
    QDir::setCurrent(argv[1]);
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
