#include "charts/widgets/chart_tools.h"

#include <gtest/gtest.h>

using namespace daxo::charts;
using daxo::platform::Axis;
using daxo::platform::BarChartModel;
using daxo::platform::BarLayout;

TEST(ChartWindowHeights, DependOnTheScreenWidth)
{
    EXPECT_EQ(alturaInicial(800), 491);
    EXPECT_EQ(alturaInicial(640), 491);
    EXPECT_EQ(alturaInicial(801), 496);
    EXPECT_EQ(openingHeights(1024), (std::vector<int>{514, 529, 534}));
    EXPECT_EQ(closingHeights(1024), (std::vector<int>{534, 519, 504, 489, 474, 459, 458}));
    EXPECT_EQ(openingHeights(800), (std::vector<int>{491, 506, 521, 535}));
    EXPECT_EQ(closingHeights(800), (std::vector<int>{535, 520, 505, 491}));
}

TEST(ChartWindowTexts, SwitchButtonsColoursAndFooter)
{
    EXPECT_STREQ(switchButton(ChartKind::Absolute).caption, "%");
    EXPECT_STREQ(switchButton(ChartKind::Absolute).hint, "Expressa em Percentual");
    EXPECT_STREQ(switchButton(ChartKind::Percentage).caption, "Número");
    EXPECT_STREQ(switchButton(ChartKind::Percentage).hint, "Expressa em números absolutos");
    EXPECT_EQ(fromBgr(kCorTitulo), (daxo::platform::ChartColour{20, 65, 155}));
    EXPECT_EQ(fromBgr(12096038), (daxo::platform::ChartColour{38, 146, 184}));
    EXPECT_EQ(printFooter(), (std::vector<std::string>{"DAXO - Velmora", "Kalvoria"}));
}

TEST(ChartWindowData, SeriesKeepTheirNullsColoursAndArrows)
{
    const std::vector<ChartSeries> data = {
        {.name = "Mas", .title = "Homens", .colour = {45, 145, 115}, .labels = {"Bahia\r2000"},
         .values = {std::nullopt}, .arrowLength = 23}};
    const auto bars = toBarSeries(data);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].title, "Homens");
    EXPECT_EQ(bars[0].colour, (daxo::platform::ChartColour{45, 145, 115}));
    EXPECT_EQ(bars[0].labels[0], "Bahia\r2000");
    EXPECT_FALSE(bars[0].values[0].has_value());
    EXPECT_EQ(bars[0].arrowLength, 23);
    EXPECT_TRUE(bars[0].marksVisible);
}

class ChartToolsTest : public ::testing::Test {
protected:
    ChartToolsTest()
    {
        model.setSeries({{.title = "A", .values = {10.0}}, {.title = "B", .values = {20.0}},
                         {.title = "C", .values = {30.0}}});
    }
    BarChartModel model;
    ChartTools tools{model};
};

TEST_F(ChartToolsTest, ZoomingAndScrollingEnableNormalWhichUndoesThem)
{
    EXPECT_FALSE(tools.normalEnabled());
    const auto initial = model.range(Axis::Left);
    tools.zoom(120);
    EXPECT_TRUE(tools.normalEnabled());
    EXPECT_NE(model.range(Axis::Left), initial);
    tools.normal();
    EXPECT_FALSE(tools.normalEnabled());
    EXPECT_EQ(model.range(Axis::Left), initial);
    EXPECT_TRUE(model.isAutomatic(Axis::Bottom));

    tools.scrollVertical(3);
    EXPECT_TRUE(tools.normalEnabled());
    tools.normal();
    tools.scrollHorizontal(-3);
    EXPECT_TRUE(tools.normalEnabled());
    tools.normal();
    tools.zoomedByMouse(true);
    EXPECT_TRUE(tools.normalEnabled());
    tools.zoomedByMouse(false);
    EXPECT_FALSE(tools.normalEnabled());
}

TEST_F(ChartToolsTest, RotationAndDepthActOnlyIn3D)
{
    tools.set3D(false);
    tools.setRotation(300);
    tools.setDepth(60);
    EXPECT_EQ(model.view.rotation, 360);
    EXPECT_EQ(model.view.depthPercent, 15);
    EXPECT_TRUE(model.view.orthogonal);
    tools.set3D(true);
    tools.setRotation(300);
    tools.setDepth(60);
    EXPECT_EQ(model.view.rotation, 300);
    EXPECT_FALSE(model.view.orthogonal);
    EXPECT_EQ(model.view.depthPercent, 60);
}

TEST_F(ChartToolsTest, MovingASeriesShowsEveryMarkAgain)
{
    tools.toggleMarks();
    EXPECT_FALSE(tools.marksOn());
    EXPECT_FALSE(model.series()[1].marksVisible);
    EXPECT_EQ(tools.moveLater(0), 1);
    EXPECT_EQ(tools.seriesTitles(), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_TRUE(tools.marksOn());
    for (const auto& s : model.series())
        EXPECT_TRUE(s.marksVisible);

    tools.toggleMarks();
    EXPECT_EQ(tools.moveLater(2), 2);   // already last
    EXPECT_EQ(tools.moveEarlier(0), 0); // already first
    EXPECT_EQ(tools.seriesTitles(), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_TRUE(tools.marksOn());
    EXPECT_EQ(tools.moveEarlier(2), 1);
    EXPECT_EQ(tools.seriesTitles(), (std::vector<std::string>{"B", "C", "A"}));
}

TEST_F(ChartToolsTest, LegendAndBarLayout)
{
    const auto start = model.legendPosition;
    tools.nextLegendPosition();
    EXPECT_NE(model.legendPosition, start);
    for (int i = 0; i < 3; ++i)
        tools.nextLegendPosition();
    EXPECT_EQ(model.legendPosition, start);

    tools.setLayout(1, BarLayout::Behind);
    EXPECT_EQ(model.series()[1].layout, BarLayout::Behind);
    tools.setLayout(7, BarLayout::Behind);   // no such series: nothing happens
    EXPECT_EQ(model.series()[2].layout, BarLayout::Side);
}
