// The "Mapa" button of the main window with the real pages, on the small
// sample installation: the map window it opens for a state, and a refusal.
#include "maps/widgets/map_window.h"
#include "output_walk.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>

using daxo::maps::TfrmMapaBrasil;

namespace {

class MapOutputTest : public daxo::app::test::OutputWalk {
protected:
    // Clicks "Mapa"; the map window, once open, is read and closed.
    void clickMapa()
    {
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* m = dynamic_cast<TfrmMapaBrasil*>(w); m && m->isVisible()) {
                    for (auto* r : m->findChild<QGroupBox*>("RadioGroup1")->findChildren<QRadioButton*>())
                        indicadores << r->text();
                    topo = m->findChild<QLabel*>("LabelTopo")->text();
                    camada = QString::fromStdString(m->ArquivoCamadaAtual());
                    aguardeOculto = window->findChild<QWidget*>("pnaguarde")->isHidden();
                    m->close();
                }
        });
        watcher.start(50);
        click("bt_Mapa");
    }
    QStringList indicadores;
    QString topo, camada;
    bool aguardeOculto = false;
};

TEST_F(MapOutputTest, AStateOpensTheMapWindowWithItsIndicators)
{
    walkToLocalities(0, {"chkMasculino", "chkFeminino"});
    chooseLocality("Sergipe");
    click("btAvancar");
    ASSERT_EQ(window->PassoAtual(), 4) << messages.join(" | ").toStdString();
    clickMapa();
    ASSERT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    EXPECT_EQ(indicadores, (QStringList{"Homens", "Mulheres"}));
    EXPECT_EQ(camada, "tempmapa.dbf");
    EXPECT_EQ(topo, "Filtro:" + QString::fromStdString(window->wizard().caption()) + " - Censo: 2000\nSergipe");
    EXPECT_TRUE(aguardeOculto) << "the waiting panel is hidden while the map shows";

    // The map stays exportable once its window has closed.
    ASSERT_TRUE(window->findChild<QPushButton*>("btExportar")->isEnabled());
    queryFile = program / "sergipe.svg";
    click("btExportar");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(" | ").toStdString();
    std::ifstream svg(*queryFile);
    const std::string text((std::istreambuf_iterator<char>(svg)), {});
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("Sergipe"), std::string::npos) << "the locality under the title";
}

TEST_F(MapOutputTest, TwoLocalitiesAreRefusedInTheMessageWindow)
{
    walkToLocalities(0, {"chkMasculino", "chkFeminino"});
    chooseLocality("Sergipe");
    chooseLocality("Acre", 2);
    click("btAvancar");
    ASSERT_EQ(window->PassoAtual(), 4) << messages.join(" | ").toStdString();
    clickMapa();
    EXPECT_TRUE(indicadores.isEmpty()) << "no map window";
    EXPECT_EQ(messages, QStringList{"A saída do MAPA é permitida apenas para uma localidade por vez. Escolha somente "
                                    "uma localidade."});
    EXPECT_TRUE(window->findChild<QWidget*>("pnaguarde")->isHidden());
}

} // namespace
