// Layers read from shapefiles written here with shapelib: names, extents,
// rows, the three searches, the renderer rules and the extent arithmetic.
#include "platform/dbf_table.h"
#include "platform/map_layer.h"

#include <gtest/gtest.h>
#include <shapefil.h>

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::platform {
namespace {

namespace fs = std::filesystem;

struct Square {
    double x, y, size;
    std::string name, micro;
    double value;
};

// A polygon layer of squares with the fields ID_, NAME1_, MICRO, v01.
fs::path writeSquares(const fs::path& dir, const std::string& base, const std::vector<Square>& squares)
{
    fs::create_directories(dir);
    const fs::path shp = dir / (base + ".shp");
    SHPHandle h = SHPCreate(shp.string().c_str(), SHPT_POLYGON);
    for (const Square& s : squares) {
        // A square with a square hole in its middle quarter.
        const double q = s.size / 4;
        double xs[] = {s.x, s.x, s.x + s.size, s.x + s.size, s.x,
                       s.x + q, s.x + 3 * q, s.x + 3 * q, s.x + q, s.x + q};
        double ys[] = {s.y, s.y + s.size, s.y + s.size, s.y, s.y,
                       s.y + q, s.y + q, s.y + 3 * q, s.y + 3 * q, s.y + q};
        int starts[] = {0, 5};
        SHPObject* o = SHPCreateObject(SHPT_POLYGON, -1, 2, starts, nullptr, 10, xs, ys, nullptr, nullptr);
        SHPWriteObject(h, -1, o);
        SHPDestroyObject(o);
    }
    SHPClose(h);
    auto table = DbfTable::create(dir / (base + ".dbf"), {{"ID_", FieldType::Numeric, 5, 0},
                                                          {"NAME1_", FieldType::Character, 30, 0},
                                                          {"MICRO", FieldType::Character, 6, 0},
                                                          {"v01", FieldType::Numeric, 12, 2}});
    int id = 1;
    for (const Square& s : squares) {
        const auto r = table.appendRecord();
        table.setValue(r, 0, id++);
        table.setValue(r, 1, s.name);
        table.setValue(r, 2, s.micro);
        table.setValue(r, 3, s.value);
    }
    table.save();
    return shp;
}

class MapLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("daxo_map_layer_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        shp = writeSquares(dir / "Mapas", "ind_Acre",
                           {{0, 0, 4, "Rio Branco", "120004", 10}, {4, 0, 4, "Bujari", "120004", 20},
                            {0, 4, 4, "Feijó", "120002", 30.5}});
    }
    void TearDown() override { fs::remove_all(dir); }
    std::vector<std::string> names(Recordset rows)
    {
        std::vector<std::string> out;
        for (; !rows.eof(); rows.moveNext())
            out.push_back(rows.text("NAME1_"));
        return out;
    }
    fs::path dir, shp;
};

TEST_F(MapLayerTest, ReadsShapesTableAndExtentWhateverTheCaseOfThePath)
{
    MapLayer layer;
    layer.setFile(dir / "MAPAS" / "IND_ACRE.SHP");
    EXPECT_EQ(layer.name(), "IND_ACRE");
    EXPECT_EQ(layer.featureCount(), 3u);
    EXPECT_EQ(layer.shapeType(), MapLayer::kPolygonShapes);
    EXPECT_EQ(layer.layerType(), MapLayer::kFeatureLayer);
    EXPECT_EQ(layer.extent(), MapRectangle(0, 0, 8, 8));

    Recordset rows = layer.records();
    EXPECT_EQ(rows.fieldName(1), "NAME1_");
    EXPECT_EQ(rows.valueAt(1).asString(), "Rio Branco");
    EXPECT_EQ(rows.text("micro"), "120004");
    const FieldStatistics stats = rows.statistics("v01");
    EXPECT_EQ(stats.count, 3);
    EXPECT_DOUBLE_EQ(stats.minimum, 10);
    EXPECT_DOUBLE_EQ(stats.maximum, 30.5);
    EXPECT_THROW(rows.value("NOME"), MapError);
}

TEST_F(MapLayerTest, MissingOrUnreadableFilesAreReportedByName)
{
    MapLayer layer;
    try {
        layer.setFile(dir / "Mapas" / "ind_Bahia.shp");
        FAIL() << "no error";
    } catch (const MapError& e) {
        EXPECT_NE(std::string(e.what()).find("ind_Bahia.shp"), std::string::npos);
    }
    fs::remove(dir / "Mapas" / "ind_Acre.dbf");
    EXPECT_THROW(layer.setFile(shp), MapError) << "a missing table is a map error too";
    EXPECT_THROW(layer.records(), MapError);
}

TEST_F(MapLayerTest, SearchesByFilterPointAndDistance)
{
    MapLayer layer;
    layer.setFile(shp);
    EXPECT_EQ(names(layer.searchExpression(" MICRO = '120004'")), (std::vector<std::string>{"Rio Branco", "Bujari"}));
    EXPECT_EQ(names(layer.searchExpression("NAME1_ = 'Feijó'")), std::vector<std::string>{"Feijó"});
    EXPECT_TRUE(names(layer.searchExpression("NAME1_ = 'Feij'")).empty());
    EXPECT_THROW(layer.searchExpression("NAME1_ like 'x'"), MapError);
    EXPECT_THROW(layer.searchExpression("NOME = 'x'"), MapError);

    EXPECT_EQ(names(layer.searchShape({5, 0.5})), std::vector<std::string>{"Bujari"});
    EXPECT_TRUE(names(layer.searchShape({2, 2})).empty()) << "the hole belongs to no municipality";
    EXPECT_TRUE(names(layer.searchShape({9, 9})).empty());
    EXPECT_EQ(names(layer.searchByDistance({8.3, 1}, 0.5)), std::vector<std::string>{"Bujari"});
    EXPECT_TRUE(names(layer.searchByDistance({8.6, 1}, 0.5)).empty());
}

TEST_F(MapLayerTest, LayerListAddsAtTheFrontAndFindsNamesIgnoringCase)
{
    MapLayers layers;
    auto acre = std::make_shared<MapLayer>();
    acre->setFile(shp);
    auto other = std::make_shared<MapLayer>();
    other->setFile(writeSquares(dir / "Mapas", "Estados", {{10, 10, 2, "ACRE", "", 1}}));
    layers.add(acre);
    layers.add(other);
    EXPECT_EQ(layers.count(), 2);
    EXPECT_EQ(layers.item(0).name(), "Estados");
    EXPECT_EQ(&layers.item("IND_ACRE"), acre.get());
    EXPECT_EQ(&layers.item("estados"), other.get());
    EXPECT_EQ(layers.find("ind_Bahia"), nullptr);
    EXPECT_THROW(layers.item("ind_Bahia"), MapError);
    EXPECT_EQ(layers.fullExtent(), MapRectangle(0, 0, 12, 12));
}

TEST_F(MapLayerTest, RenderersPickSymbolsByTheirRules)
{
    MapLayer layer;
    layer.setFile(shp);
    ClassBreaksRenderer classes;
    classes.field = "v01";
    classes.setBreakCount(2);
    classes.setBreak(0, 20);
    classes.setBreak(1, 30.5);
    EXPECT_EQ(classes.classOf(19.99), 0);
    EXPECT_EQ(classes.classOf(20), 1) << "a break value opens the next class";
    EXPECT_EQ(classes.classOf(30.49), 1);
    EXPECT_EQ(classes.classOf(30.5), 2);
    EXPECT_EQ(classes.classOf(1e9), 2);
    auto picked = classes.symbolsFor(layer.table());
    EXPECT_EQ(picked, (std::vector<const Symbol*>{&classes.symbol(0), &classes.symbol(1), &classes.symbol(2)}));
    classes.setBreakCount(0);
    EXPECT_EQ(classes.classOf(-5), 0);

    ValueMapRenderer values;
    values.field = "MICRO";
    values.setValueCount(2);
    values.setValue(0, "120002");
    values.setValue(1, "12000");
    picked = values.symbolsFor(layer.table());
    EXPECT_EQ(picked, (std::vector<const Symbol*>{nullptr, nullptr, &values.symbol(0)}))
        << "exact comparison; unmatched features keep the layer's default symbol";

    LabelPlacer labels;
    labels.field = "NAME1_";
    labels.beneath = std::make_shared<ValueMapRenderer>(values);
    EXPECT_EQ(labels.labelsFor(layer.table()), (std::vector<std::string>{"Rio Branco", "Bujari", "Feijó"}));
    EXPECT_EQ(labels.symbolsFor(layer.table())[2]->fillColour, values.symbol(0).fillColour);
}

TEST(MapRectangleTest, ZoomInThenOutLeavesNinetySixHundredths)
{
    MapRectangle r(-74, -34, -34, 6);
    const MapPoint centre = r.center();
    r.scaleInPlace(0.8);
    r.scaleInPlace(1.2);
    EXPECT_NEAR(r.width(), 40 * 0.96, 1e-9);
    EXPECT_NEAR(r.height(), 40 * 0.96, 1e-9);
    EXPECT_NEAR(r.center().x, centre.x, 1e-9);
    EXPECT_NEAR(r.center().y, centre.y, 1e-9);

    const MapRectangle wide = MapRectangle(0, 0, 10, 10).fittedTo(2.0);
    EXPECT_EQ(wide, MapRectangle(-5, 0, 15, 10));
    const MapRectangle tall = MapRectangle(0, 0, 10, 10).fittedTo(0.5);
    EXPECT_EQ(tall, MapRectangle(0, -5, 10, 15));
}

TEST(MapGeometryTest, LabelPointLiesInsideTheLargestRing)
{
    MapShape l;  // an L whose bounds' centre lies outside it
    l.parts = {{{0, 0}, {0, 10}, {1, 10}, {1, 1}, {10, 1}, {10, 0}, {0, 0}}, {{20, 20}, {20, 21}, {21, 21}, {20, 20}}};
    l.bounds = {0, 0, 21, 21};
    const MapPoint p = labelPoint(l);
    EXPECT_TRUE(polygonContains(l, p)) << p.x << "," << p.y;
}

} // namespace
} // namespace daxo::platform
