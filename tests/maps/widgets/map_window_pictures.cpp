// Pictures of the map window for a person to look at; not a test.
// map_window_pictures <folder>: the class map of a state with names, Brasil
// by states, a highlighted municipality, and the legend editor open.
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "localities/chosen_list.h"
#include "maps/widgets/legend_editor.h"
#include "maps/widgets/map_window.h"
#include "platform/data_module.h"
#include "query/query_runner.h"
#include "report_run.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <iostream>

using namespace daxo;
namespace fs = std::filesystem;

namespace {

fs::path programa;
std::unique_ptr<platform::DataModule> dm;

std::unique_ptr<maps::TfrmMapaBrasil> abre(const std::string& name, const std::string& code)
{
    const auto rows = test::chosenRows({.boxes = {"chkMasculino", "chkFeminino"}});
    localities::MigrationLists migration;
    query::QueryRunner runner(*dm, migration);
    maps::MapWindowData data;
    maps::bt_MapaClick(*dm, runner,
                       {.choice = {.indicator = 0, .census = "2000", .names = {name}, .codes = {code}},
                        .rows = &rows,
                        .programa = programa},
                       {.abreJanela = [&](const maps::MapWindowData& d) { data = d; }});
    auto w = std::make_unique<maps::TfrmMapaBrasil>(
        data, *dm, "População - Homens, Mulheres - Todas as idades - Todas as cores", "2000");
    w->onError = [](const std::exception& e) { std::cerr << "message: " << e.what() << "\n"; };
    w->show();
    QApplication::processEvents();
    return w;
}

void salva(QWidget& w, const fs::path& file)
{
    QApplication::processEvents();
    w.grab().save(QString::fromStdString(file.string()));
    std::cout << file.string() << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: map_window_pictures <folder>\n";
        return 2;
    }
    const fs::path out = argv[1];
    fs::create_directories(out);
    programa = out / "installation";
    test::generateInstallation(programa, true);
    dm = std::make_unique<platform::DataModule>(programa / "Bases");

    {
        auto w = abre("Acre", "12");
        w->findChild<QCheckBox*>("ckMostrarMunicipio")->click();
        w->findChild<QCheckBox*>("chkMostraLinhas")->click();
        salva(*w, out / "mapa_estado.png");
        QTimer::singleShot(0, [&] {
            salva(*w->editor(), out / "editor_legenda.png");
            w->editor()->close();
        });
        w->findChild<QPushButton*>("btEditaLegenda")->click();
    }
    {
        auto w = abre("Brasil", "0");
        w->findChild<QGroupBox*>("rdVisao2")->findChildren<QRadioButton*>()[1]->click();
        salva(*w, out / "mapa_brasil_uf.png");
    }
    {
        auto w = abre("Acrelândia", "120010");
        w->findChild<QCheckBox*>("ckMostrarMunicipio")->click();
        salva(*w, out / "mapa_municipio.png");
    }
    dm.reset();
    fs::remove_all(programa);
    return 0;
}
