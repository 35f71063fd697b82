// Pictures of the locality page and of the municipality chooser, for a look
// by eye: page_screenshots <folder> [<installation folder with Mapas>].
#include "localities/widgets/locality_page.h"
#include "localities/widgets/locality_page_widget.h"
#include "localities/widgets/municipality_chooser_dialog.h"
#include "localities/widgets/selection_map.h"
#include "platform/data_module.h"
#include "platform/dbf_table.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

using namespace daxo::localities;
namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const fs::path out = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const fs::path data = fs::temp_directory_path() / "daxo_locality_pictures";
    fs::create_directories(data);
    {
        using daxo::platform::FieldType;
        auto table = daxo::platform::DbfTable::create(data / "Municipios2000.dbf",
                                                      {{"nome", FieldType::Character, 40, 0},
                                                       {"codigo", FieldType::Character, 6, 0},
                                                       {"sigla", FieldType::Character, 2, 0}});
        const char* names[] = {"Acrelândia", "Assis Brasil", "Brasiléia", "Bujari", "Capixaba", "Cruzeiro do Sul",
                               "Epitaciolândia", "Feijó", "Jordão", "Mâncio Lima", "Manoel Urbano",
                               "Marechal Thaumaturgo", "Plácido de Castro", "Porto Acre", "Porto Walter",
                               "Rio Branco", "Rodrigues Alves", "Santa Rosa do Purus", "Sena Madureira",
                               "Senador Guiomard", "Tarauacá", "Xapuri"};
        int code = 120001;
        for (const char* name : names) {
            const auto n = table.appendRecord();
            table.setValue(n, 0, name);
            table.setValue(n, 1, std::to_string(code++));
            table.setValue(n, 2, "AC");
        }
        table.save();
    }
    daxo::platform::DataModule dm(data);

    LocalityPageController page([&dm]() -> daxo::platform::DataModule& { return dm; }, [] {},
                                [](const std::function<void()>& action) { action(); });
    page.widget()->resize(718, 356);
    page.setHeading("Selecione a Localidade e clique no botão Avançar");
    page.widget()->show();
    LocalitySelection& s = page.selection();
    for (int position : {4, 46, 103, 3, 687})
        s.TreeView1DblClick(position);
    page.page().TreeView1->topLevelItem(1)->setExpanded(true);
    page.page().TreeView1->setCurrentItem(page.page().TreeView1->topLevelItem(1)->child(0));
    s.TreeView1Click(4);
    page.page().showChosen(s.chosen());
    QTest::qWait(100);
    page.widget()->grab().save(QString::fromStdString((out / "locality_page.png").string()));

    if (argc > 2) {
        SelectionMapWidget map(page.page(), [&page] { return page.CodigoLocal(); },
                               [](const std::function<void()>& action) { action(); });
        page.setSelectionMap(&map);
        map.loadLayers(argv[2]);
        auto picture = [&](int position, bool names, const char* file) {
            page.page().LabelMunicipio->setText("Acre");
            s.TreeView1Click(position);
            if (names)
                page.page().ckMostrarMunicipio->click();
            QTest::qWait(50);
            page.widget()->grab().save(QString::fromStdString((out / file).string()));
        };
        picture(0, false, "map_brasil.png");
        picture(20, true, "map_state_names.png");
        picture(103, false, "map_micro_acre.png");
        picture(103, true, "map_micro_acre_names.png");
        picture(104, false, "map_micro_cruzeiro.png");
    }

    MunicipalityChooser chooser;
    chooser.load(dm.qryTemp, "12");
    ChosenList list;
    TfrmEscolheMunicipio frm(chooser, list, "Acre", {});
    frm.show();
    QTest::keyClicks(frm.Edit1, "rio b");
    QTest::qWait(100);
    frm.grab().save(QString::fromStdString((out / "municipality_chooser.png").string()));
    fs::remove_all(data);
    return 0;
}
