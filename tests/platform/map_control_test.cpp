// The map control drawn off screen: colours of rendered features, labels,
// mouse pan and zoom rectangle, picture export, and the drawing time of the
// installation's municipality layer when a full installation is at hand.
#include "platform/map_control.h"

#include <gtest/gtest.h>
#include <shapefil.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWheelEvent>

#include <filesystem>
#include <fstream>
#include <regex>

namespace daxo::platform {
namespace {

namespace fs = std::filesystem;

// Two unit squares side by side, named "A" and "B".
fs::path writeTwoSquares(const fs::path& dir)
{
    fs::create_directories(dir);
    const fs::path shp = dir / "pair.shp";
    SHPHandle h = SHPCreate(shp.string().c_str(), SHPT_POLYGON);
    for (double x0 : {0.0, 1.0}) {
        double xs[] = {x0, x0, x0 + 1, x0 + 1, x0};
        double ys[] = {0, 1, 1, 0, 0};
        SHPObject* o = SHPCreateSimpleObject(SHPT_POLYGON, 5, xs, ys, nullptr);
        SHPWriteObject(h, -1, o);
        SHPDestroyObject(o);
    }
    SHPClose(h);
    DBFHandle d = DBFCreate((dir / "pair.dbf").string().c_str());
    DBFAddField(d, "NAME2_", FTString, 10, 0);
    DBFWriteStringAttribute(d, 0, 0, "A");
    DBFWriteStringAttribute(d, 1, 0, "B");
    DBFClose(d);
    return shp;
}

class MapControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("daxo_map_control_" + std::to_string(::getpid()));
        auto layer = std::make_shared<MapLayer>();
        layer->setFile(writeTwoSquares(dir));
        map.Layers().add(layer);
        map.resize(200, 100);
    }
    void TearDown() override { fs::remove_all(dir); }
    QColor at(int x, int y) { return map.grab().toImage().pixelColor(x, y); }

    fs::path dir;
    MapControl map;
};

TEST_F(MapControlTest, DrawsEachFeatureInItsSymbolsColour)
{
    auto values = std::make_shared<ValueMapRenderer>();
    values->field = "NAME2_";
    values->setValueCount(2);
    values->setValue(0, "A");
    values->setValue(1, "B");
    values->symbol(0).fillColour = 0xFF0000;
    values->symbol(1).fillColour = 0x0000FF;
    map.Layers().item(0).renderer = values;
    EXPECT_EQ(at(50, 50), QColor(255, 0, 0));
    EXPECT_EQ(at(150, 50), QColor(0, 0, 255));

    map.Layers().item("PAIR").visible = false;
    EXPECT_EQ(at(50, 50), QColor(Qt::white));
}

TEST_F(MapControlTest, ExtentFollowsTheWindowShapeAndPointsConvert)
{
    EXPECT_EQ(map.Extent(), MapRectangle(0, 0, 2, 1));
    map.setExtent(MapRectangle(0, 0, 1, 1));
    EXPECT_EQ(map.Extent(), MapRectangle(-0.5, 0, 1.5, 1));
    const MapPoint p = map.toMapPoint(100, 25);
    EXPECT_DOUBLE_EQ(p.x, 0.5);
    EXPECT_DOUBLE_EQ(p.y, 0.75);
    MapRectangle r = map.Extent();
    r.scaleInPlace(0.8);
    map.setExtent(r);
    r = map.Extent();
    r.scaleInPlace(1.2);
    map.setExtent(r);
    EXPECT_NEAR(map.Extent().width(), 2 * 0.96, 1e-9);
    EXPECT_NEAR(map.Extent().height(), 0.96, 1e-9);
}

TEST_F(MapControlTest, MouseDownHandlerChoosesPanOrZoomRectangle)
{
    bool panning = true;
    int downs = 0;
    map.onMouseDown = [&](Qt::MouseButton, int, int) {
        ++downs;
        panning ? map.pan() : map.trackRectangle();
    };
    map.show();
    QTest::mousePress(&map, Qt::LeftButton, {}, QPoint(100, 50));
    QTest::mouseMove(&map, QPoint(150, 50));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_NEAR(map.Extent().left(), -0.5, 1e-9) << "dragged right by a quarter of the window";

    panning = false;
    map.setExtent(MapRectangle(0, 0, 2, 1));
    EXPECT_EQ(map.Extent(), MapRectangle(0, 0, 2, 1));
    QTest::mousePress(&map, Qt::LeftButton, {}, QPoint(1, 1), 1000);
    QTest::mouseMove(&map, QPoint(100, 99));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, QPoint(100, 99));
    EXPECT_EQ(downs, 2);
    EXPECT_NEAR(map.Extent().height(), 0.98, 1e-9);
    EXPECT_NEAR(map.Extent().center().x, 0.505, 1e-9) << "the dragged square fills the height";

    const MapRectangle before = map.Extent();
    QTest::mouseClick(&map, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(map.Extent(), before) << "a click without a drag keeps the extent";
}

TEST_F(MapControlTest, WheelZoomsAboutThePointUnderThePointer)
{
    const auto turn = [&](QPoint at, int delta) {
        QWheelEvent event(at, map.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&map, &event);
    };
    const QPoint at(150, 25);
    const MapPoint under = map.toMapPoint(at.x(), at.y());
    turn(at, 120);
    EXPECT_NEAR(map.Extent().width(), 2 * 0.8, 1e-9);
    EXPECT_NEAR(map.toMapPoint(at.x(), at.y()).x, under.x, 1e-9);
    EXPECT_NEAR(map.toMapPoint(at.x(), at.y()).y, under.y, 1e-9);
    turn(at, -240);
    EXPECT_NEAR(map.Extent().height(), 1 / 0.8, 1e-9);
    EXPECT_NEAR(map.toMapPoint(at.x(), at.y()).x, under.x, 1e-9);
    EXPECT_NEAR(map.toMapPoint(at.x(), at.y()).y, under.y, 1e-9);
}

TEST_F(MapControlTest, LabelsAreDrawnOverTheRendererBeneath)
{
    auto fill = std::make_shared<ValueMapRenderer>();
    fill->field = "NAME2_";
    fill->setValueCount(1);
    fill->setValue(0, "A");
    fill->symbol(0).fillColour = 0x00FF00;
    auto labels = std::make_shared<LabelPlacer>();
    labels->field = "NAME2_";
    labels->defaultSymbol = {"Verdana", 30, 0, 0x000000, true};
    labels->beneath = fill;
    map.Layers().item(0).renderer = labels;
    const QImage image = map.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 255, 0));
    int dark = 0;
    for (int y = 30; y < 70; ++y)
        for (int x = 35; x < 65; ++x)
            dark += image.pixelColor(x, y).lightness() < 80;
    EXPECT_GT(dark, 20) << "the name A is written in the middle of its square";
}

TEST_F(MapControlTest, ExportWritesAVectorPicture)
{
    const fs::path out = dir / "mapa.EMF";
    map.exportMap(out.string(), 1.0);
    std::ifstream in(out);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("<path"), std::string::npos);
    // Readers that ignore non-scaling strokes draw a stroke under a scaled
    // group that many times wider: the shapes must come in page units.
    const std::regex scaled(R"(matrix\(([-0-9.e]+),[-0-9.e]+,[-0-9.e]+,([-0-9.e]+))");
    for (std::sregex_iterator m(text.begin(), text.end(), scaled), end; m != end; ++m)
        EXPECT_LE(std::max(std::abs(std::stod((*m)[1])), std::abs(std::stod((*m)[2]))), 1.0) << m->str();
    EXPECT_THROW(map.exportMap((dir / "missing" / "x.EMF").string(), 1.0), MapError);
}

} // namespace
} // namespace daxo::platform
