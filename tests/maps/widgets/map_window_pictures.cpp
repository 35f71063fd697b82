// Pictures of the map window for a person to look at; not a test.
// map_window_pictures <folder>: the class map of a state with names, Brasil
// by states, a highlighted municipality and a region by state, the legend
// editor open, and the 1991 map of a state and of one of its municipalities
// created later.
// map_window_pictures <folder> <full installation>: the country on the full
// installation: by states, Bahia by municipality, the microregions with
// their outlines, the municipal maps of income and illiteracy, and the 1991
// map of all regions by municipality.
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "localities/chosen_list.h"
#include "maps/widgets/legend_editor.h"
#include "maps/widgets/map_window.h"
#include "platform/data_module.h"
#include "platform/map_control.h"
#include "platform/map_layer.h"
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
std::string censo = "2000";   // of the next map opened

std::unique_ptr<maps::TfrmMapaBrasil> abre(const std::string& name, const std::string& code,
                                           const test::Request& request = {.boxes = {"chkMasculino", "chkFeminino"}},
                                           const std::string& caption =
                                               "População - Homens, Mulheres - Todas as idades - Todas as cores")
{
    const auto rows = test::chosenRows(request);
    localities::MigrationLists migration;
    query::QueryRunner runner(*dm, migration);
    maps::MapWindowData data;
    maps::bt_MapaClick(*dm, runner,
                       {.choice = {.indicator = request.indicator, .census = censo, .names = {name}, .codes = {code}},
                        .rows = &rows,
                        .programa = programa},
                       {.abreJanela = [&](const maps::MapWindowData& d) { data = d; }});
    auto w = std::make_unique<maps::TfrmMapaBrasil>(data, *dm, caption, censo);
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

void visao(maps::TfrmMapaBrasil& w, const char* box, int item)
{
    w.findChild<QGroupBox*>(box)->findChildren<QRadioButton*>()[item]->click();
}

// The country on the full installation.
void nacionais(const fs::path& out)
{
    {
        auto w = abre("Brasil", "0");
        visao(*w, "rdVisao2", 1);
        salva(*w, out / "brasil_estados.png");
    }
    {
        auto w = abre("Bahia", "29");
        visao(*w, "rdVisao", 1);
        w->findChild<QCheckBox*>("chkMostraLinhas")->click();
        salva(*w, out / "bahia_municipios.png");
    }
    {
        auto w = abre("Brasil", "0", {.indicator = 12, .boxes = {"chkTodos"}, .firstAge = 1, .lastAge = 1},
                      "Rendimento médio / mediano - Total - Todas as cores");
        visao(*w, "rdVisao2", 2);
        salva(*w, out / "brasil_rendimento_municipios.png");
    }
    {
        auto w = abre("Brasil", "0", {.indicator = 6, .boxes = {"chkTodos"}, .firstAge = 1, .lastAge = 1},
                      "Taxa de analfabetismo - Total - Todas as cores");
        visao(*w, "rdVisao2", 2);
        salva(*w, out / "brasil_analfabetismo_municipios.png");
    }
    {
        // Municipalities created after 1991 lie outside the classes.
        censo = "1991";
        auto w = abre("Regiões", "987654321");
        salva(*w, out / "mapa_regioes_1991.png");
        censo = "2000";
    }
}

// Brasil by microregions: the 27 microregion layers drawn together with
// their outlines, through the map component.
void microrregioes(const fs::path& out)
{
    platform::MapControl map;
    map.resize(700, 700);
    for (const auto& entry : fs::directory_iterator(programa / "Mapas" / "Estados"))
        if (entry.path().extension() == ".shp" && entry.path().stem().string().find("MI2500G") != std::string::npos) {
            auto layer = std::make_shared<platform::MapLayer>();
            layer->setFile(entry.path());
            layer->defaultSymbol().fillColour = 0xF3E6C8;
            layer->defaultSymbol().outlineColour = 0x505050;
            map.Layers().add(layer);
        }
    salva(map, out / "brasil_microrregioes.png");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::cerr << "usage: map_window_pictures <folder> [<full installation>]\n";
        return 2;
    }
    const fs::path out = argv[1];
    fs::create_directories(out);
    if (argc > 2) {
        programa = argv[2];
        dm = std::make_unique<platform::DataModule>(programa / "Bases");
        nacionais(out);
        microrregioes(out);
        dm.reset();
        return 0;
    }
    programa = out / "installation";
    test::generateInstallation(programa, true);
    dm = std::make_unique<platform::DataModule>(programa / "Bases");

    {
        auto w = abre("Acre", "12");
        w->findChild<QCheckBox*>("ckMostrarMunicipio")->click();
        w->findChild<QCheckBox*>("chkMostraLinhas")->click();
        salva(*w, out / "mapa_estado.png");
        // What the window's "Salvar" writes, to look at in other SVG readers.
        w->mapamostra().exportMap((out / "mapa_estado.svg").string(), 1.0);
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
    {
        auto w = abre("Nordeste", "2");
        visao(*w, "rdVisao2", 1);
        salva(*w, out / "mapa_regiao_por_uf.png");
    }
    censo = "1991";
    std::string novo, codigoNovo;   // a municipality created after 1991
    {
        auto w = abre("Acre", "12");
        w->findChild<QCheckBox*>("ckMostrarMunicipio")->click();
        salva(*w, out / "mapa_estado_1991.png");
        for (auto r = w->mapamostra().Layers().item(0).records(); !r.eof() && novo.empty(); r.moveNext())
            if (r.value("v01").asFloat() <= 0) {
                novo = r.text("NAME1_");
                codigoNovo = r.text("ID_");
            }
    }
    if (!novo.empty()) {
        auto w = abre(novo, codigoNovo);
        salva(*w, out / "mapa_municipio_inexistente_1991.png");
    }
    dm.reset();
    fs::remove_all(programa);
    return 0;
}
