// The selection map on the generator's small installation (Acre, Distrito
// Federal, Sergipe): highlights drawn in their colours, names, the state
// status texts, zoom, printing, identify and the missing state layers.
#include "localities/geography.h"
#include "localities/widgets/locality_page.h"
#include "localities/widgets/locality_page_widget.h"
#include "localities/widgets/selection_map.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace daxo::localities {

namespace fs = std::filesystem;

namespace {

fs::path installationFolder() { return fs::temp_directory_path() / ("daxo_selection_map_" + std::to_string(::getpid())); }

class InstallationCleanup : public ::testing::Environment {
public:
    void TearDown() override { fs::remove_all(installationFolder()); }
};
const auto* const cleanup = ::testing::AddGlobalTestEnvironment(new InstallationCleanup);

using platform::LabelPlacer;
using platform::MapControl;
using platform::MapLayer;

constexpr int kAcreUnderUF = 20;
constexpr int kAcreUnderMicro = 102;
constexpr int kBrasileia = 103;     // Acre's microregion 5
constexpr int kBahiaUnderMicro = 102 + 1 + 5 + 1 + 13 + 1 + 4 + 1 + 13;
constexpr int kUnidadeDaFederacao = 19;

// Written once for all tests, removed at the end.
const fs::path& installation()
{
    static const fs::path folder = [] {
        const fs::path f = installationFolder();
        fs::remove_all(f);
        const std::string command = std::string(DAXO_GENERATE) + " " + f.string() + " --small > /dev/null";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("generator failed: " + command);
        return f;
    }();
    return folder;
}

class SelectionMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        controller = std::make_unique<LocalityPageController>(
            []() -> platform::DataModule& { throw std::runtime_error("no data module here"); }, [] {},
            [](const std::function<void()>& action) { action(); });
        map = std::make_unique<SelectionMapWidget>(
            controller->page(), [this] { return controller->CodigoLocal(); },
            [](const std::function<void()>& action) { action(); });
        controller->setSelectionMap(map.get());
        missing = map->loadLayers(installation());
        controller->widget()->resize(718, 341);
        controller->widget()->show();
    }
    void click(int position) { controller->selection().TreeView1Click(position); }
    // The colour drawn at the label point of the first feature whose
    // `field` is `value`.
    QColor colourOf(MapControl& m, const std::string& field, const std::string& value)
    {
        const QPoint at = pixelOf(m, field, value);
        return m.grab().toImage().pixelColor(at);
    }
    QPoint pixelOf(MapControl& m, const std::string& field, const std::string& value)
    {
        MapLayer& layer = m.Layers().item(map->CamadaAtual());
        platform::Recordset rows = layer.searchExpression(field + " = '" + value + "'");
        EXPECT_FALSE(rows.eof()) << value;
        const platform::MapPoint p = platform::labelPoint(layer.shape(rows.record()));
        const platform::MapRectangle e = m.Extent();
        return QPoint(static_cast<int>((p.x - e.left()) / e.width() * m.width()),
                      static_cast<int>((e.top() - p.y) / e.height() * m.height()));
    }
    LocalityPageWidget& page() { return controller->page(); }

    std::unique_ptr<LocalityPageController> controller;
    std::unique_ptr<SelectionMapWidget> map;
    std::vector<std::string> missing;
};

TEST_F(SelectionMapTest, BothMapsTheToolBarAndTheLabelShowWholeOnThePage)
{
    const QRect pageRect(0, 0, 718, 341);
    const QRect area = page().mapArea->geometry();
    const QRect tools = page().Panel2->geometry();
    const QRect label = page().LabelMunicipio->geometry();
    for (const QRect& r : {area, tools, label})
        EXPECT_TRUE(pageRect.contains(r)) << r.y() << "+" << r.height();
    EXPECT_FALSE(area.intersects(tools));
    EXPECT_FALSE(area.intersects(label));
    EXPECT_FALSE(tools.intersects(label));
    for (MapControl* m : {map->Map1, map->Map2})
        EXPECT_TRUE(QRect(QPoint(0, 0), area.size()).contains(m->geometry())) << m->objectName().toStdString();
}

TEST_F(SelectionMapTest, LoadsWhatIsThereAndNamesTheMissingFiles)
{
    EXPECT_EQ(map->Map1->Layers().count(), 3);
    EXPECT_EQ(map->Map1->Layers().item(0).name(), "Regioes");
    EXPECT_EQ(map->Map2->Layers().count(), 3);
    ASSERT_EQ(missing.size(), 24u);
    EXPECT_EQ(missing.front(), "Mapas/Estados/ind_Alagoas.shp (não encontrado)");
    const std::string message = missingMapsMessage(missing);
    EXPECT_NE(message.find("não encontrados ou corrompidos"), std::string::npos);
    EXPECT_NE(message.find("\nMapas/Estados/ind_Tocantins.shp (não encontrado)"), std::string::npos);
    EXPECT_TRUE(missingMapsMessage({}).empty());
    EXPECT_FALSE(map->Map1->isVisibleTo(controller->widget()));
    EXPECT_FALSE(map->Map2->isVisibleTo(controller->widget()));

    // A cut file is there, but damaged.
    const fs::path cut = installationFolder().string() + "_cut";
    fs::remove_all(cut);
    fs::create_directories(cut / "Mapas");
    for (const char* ext : {".shp", ".shx", ".dbf"})
        fs::copy_file(installation() / "Mapas" / (std::string("Brasil") + ext),
                      cut / "Mapas" / (std::string("Brasil") + ext));
    fs::resize_file(cut / "Mapas/Brasil.shp", fs::file_size(cut / "Mapas/Brasil.shp") / 2);
    const auto damaged = map->loadLayers(cut);
    fs::remove_all(cut);
    ASSERT_FALSE(damaged.empty());
    EXPECT_EQ(damaged.front(), "Mapas/Brasil.shp (corrompido)");
}

TEST_F(SelectionMapTest, StateStaysHighlightedWhenNamesAreShown)
{
    click(kAcreUnderUF);
    ASSERT_TRUE(map->Map1->isVisible());
    EXPECT_FALSE(map->Map2->isVisible());
    EXPECT_EQ(map->CamadaAtual(), "Estados");
    EXPECT_TRUE(map->Map1->Layers().item("Estados").visible);
    EXPECT_FALSE(map->Map1->Layers().item("Brasil").visible);
    EXPECT_EQ(colourOf(*map->Map1, "NAME2_", "ACRE"), QColor(0x00, 0x80, 0x00));
    EXPECT_EQ(colourOf(*map->Map1, "NAME2_", "SERGIPE"), QColor(Qt::white));

    page().ckMostrarMunicipio->click();
    auto* placer = dynamic_cast<LabelPlacer*>(map->Map1->Layers().item("Estados").renderer.get());
    ASSERT_NE(placer, nullptr);
    EXPECT_EQ(placer->field, "NAME2_");
    EXPECT_EQ(placer->defaultSymbol.font, "Verdana");
    EXPECT_EQ(placer->defaultSymbol.size, 8);
    EXPECT_EQ(placer->defaultSymbol.colour, 0x000000u);
    EXPECT_NE(placer->beneath, nullptr);
    const QPoint acre = pixelOf(*map->Map1, "NAME2_", "ACRE");
    const QImage image = map->Map1->grab().toImage();
    int green = 0, dark = 0;
    for (int y = acre.y() - 12; y <= acre.y() + 12; ++y)
        for (int x = acre.x() - 30; x <= acre.x() + 30; ++x) {
            const QColor c = image.pixelColor(x, y);
            green += c == QColor(0x00, 0x80, 0x00);
            dark += c.lightness() < 40;
        }
    EXPECT_GT(green, 100) << "still highlighted";
    EXPECT_GT(dark, 5) << "the name ACRE is written";
}

TEST_F(SelectionMapTest, MicroregionClickClearsTheNamesAndKeepsItsHighlight)
{
    click(kAcreUnderMicro);
    page().ckMostrarMunicipio->click();
    ASSERT_TRUE(page().ckMostrarMunicipio->isChecked());
    page().LabelMunicipio->setText("Brasiléia");
    click(kBrasileia);
    EXPECT_FALSE(page().ckMostrarMunicipio->isChecked());
    EXPECT_EQ(controller->CodigoLocal(), "12005");
    ASSERT_TRUE(map->Map2->isVisible());
    EXPECT_FALSE(map->Map1->isVisible());
    EXPECT_EQ(map->CamadaAtual(), "ind_Acre");
    EXPECT_EQ(colourOf(*map->Map2, "MICRO", "120005"), QColor(0x00, 0x80, 0x00));
    EXPECT_EQ(colourOf(*map->Map2, "MICRO", "120001"), QColor(Qt::white));
    EXPECT_TRUE(page().LabelMunicipio->text().startsWith(QString::fromUtf8("Microrregião de Brasiléia - ")));
    EXPECT_TRUE(page().LabelMunicipio->text().endsWith(" Municípios"));
    EXPECT_EQ(map->Map2->Extent().fittedTo(1).height() > 0, true);
}

TEST_F(SelectionMapTest, WholeStateCountsItsMunicipalities)
{
    page().LabelMunicipio->setText("Acre");
    click(kAcreUnderMicro);
    const auto count = map->Map2->Layers().item("IND_ACRE").featureCount();
    EXPECT_EQ(page().LabelMunicipio->text().toStdString(),
              "Acre - " + std::to_string(count) + " Municípios (Censo 2000)");
    EXPECT_EQ(colourOf(*map->Map2, "MICRO", "120005"), QColor(Qt::white));
}

TEST_F(SelectionMapTest, MissingStateLayerLeavesTheMapAsItWas)
{
    click(kUnidadeDaFederacao);
    ASSERT_TRUE(map->Map1->isVisible());
    click(kBahiaUnderMicro);
    EXPECT_EQ(controller->CodigoLocal(), "101") << "the failure skips the rest of the routine";
    EXPECT_FALSE(map->Map2->isVisible());
    EXPECT_TRUE(map->Map1->isVisible());
}

TEST_F(SelectionMapTest, ZoomInThenOutAndFullView)
{
    click(kAcreUnderMicro);
    const platform::MapRectangle start = map->Map2->Extent();
    page().btZoomMais->click();
    EXPECT_NEAR(map->Map2->Extent().width(), start.width() * 0.8, 1e-9);
    page().btZoomMenos->click();
    EXPECT_NEAR(map->Map2->Extent().width(), start.width() * 0.96, 1e-9);
    EXPECT_NEAR(map->Map2->Extent().height(), start.height() * 0.96, 1e-9);
    page().btVisualTotal->click();
    EXPECT_NEAR(map->Map2->Extent().width(), start.width(), 1e-9);
}

TEST_F(SelectionMapTest, PrintsOnlyWhenThePrinterIsReady)
{
    std::vector<std::string> printed;
    QStringList said;
    bool ready = false;
    map->confirm = [&](const QString& q) {
        said << q;
        return ready;
    };
    map->inform = [&](const QString& text) { said << text; };
    map->print = [&](MapControl& m, const std::string& name) {
        EXPECT_EQ(&m, map->Map1);
        printed.push_back(name);
    };
    click(kAcreUnderUF);
    page().btImpMapa->click();
    EXPECT_TRUE(printed.empty());
    EXPECT_EQ(said, QStringList{QString::fromUtf8("Sua impressora está conectada e pronta ?")});
    ready = true;
    page().btImpMapa->click();
    EXPECT_EQ(printed, std::vector<std::string>{"Estados"});
    EXPECT_EQ(said.last(), "Imprimindo");
}

TEST_F(SelectionMapTest, MouseOverAStateLayerIdentifiesTheMunicipality)
{
    click(kBrasileia);
    const QPoint at = pixelOf(*map->Map2, "MICRO", "120005");
    map->Map2MouseMove(at.x(), at.y());
    const QString text = page().LabelMunicipio->text();
    EXPECT_TRUE(text.endsWith(QString::fromUtf8(" - Brasiléia"))) << text.toStdString();
    EXPECT_EQ(map->Map2->mousePointer(), MapControl::kZoomPointer);
    EXPECT_EQ(map->Map2->toolTip(), QString::fromUtf8("Clique e arraste o mouse para definir a área a ser ampliada"));
    map->Map2MouseMove(-50, -50);
    EXPECT_EQ(page().LabelMunicipio->text(), text) << "outside every feature the text stays";

    page().btMoveMapa->click();
    EXPECT_FALSE(page().btZoomMouse->isChecked());
    map->Map2MouseMove(at.x(), at.y());
    EXPECT_EQ(map->Map2->mousePointer(), MapControl::kPanPointer);
    EXPECT_EQ(map->Map2->toolTip(), "Clique e arraste o mouse para mover o mapa");
}

} // namespace
} // namespace daxo::localities
