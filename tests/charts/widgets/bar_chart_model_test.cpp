#include "platform/bar_chart_model.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace daxo::platform;

namespace {

BarChartModel modelWith(std::vector<std::optional<double>> values)
{
    BarChartModel model;
    BarSeries series;
    series.title = "A";
    series.values = std::move(values);
    series.labels.assign(series.values.size(), "x");
    model.setSeries({series});
    return model;
}

} // namespace

TEST(BarChartModel, AutomaticRangesFollowTheDataAndIgnoreNulls)
{
    const BarChartModel model = modelWith({100.0, std::nullopt, 40.0, 3.0});
    EXPECT_EQ(model.categoryCount(), 4);
    EXPECT_EQ(model.automaticRange(Axis::Bottom), (AxisRange{-0.5, 3.5}));
    EXPECT_EQ(model.automaticRange(Axis::Top), (AxisRange{-0.5, 3.5}));
    const AxisRange left = model.automaticRange(Axis::Left);
    EXPECT_EQ(left.minimum, 0);
    EXPECT_GE(left.maximum, 100);
    EXPECT_LT(left.maximum, 125);
    EXPECT_EQ(model.automaticRange(Axis::Right), left);

    const AxisRange negative = modelWith({-30.0, 20.0}).automaticRange(Axis::Left);
    EXPECT_GE(negative.maximum, 20);
    // Room below the lowest bar for its mark.
    EXPECT_LE(negative.minimum, -30 - (negative.maximum - negative.minimum) / 10);

    const AxisRange empty = modelWith({std::nullopt}).automaticRange(Axis::Left);
    EXPECT_LT(empty.minimum, empty.maximum);
}

TEST(BarChartModel, ZoomNarrowsOrWidensTheFourAxesAroundTheirCentre)
{
    BarChartModel model = modelWith({100.0, 50.0});
    model.setRange(Axis::Left, {0, 100});
    model.setRange(Axis::Right, {0, 100});
    model.setRange(Axis::Bottom, {-0.5, 1.5});
    model.zoomPercent(120);
    EXPECT_EQ(model.range(Axis::Left), (AxisRange{20, 80}));
    EXPECT_EQ(model.range(Axis::Right), (AxisRange{20, 80}));
    EXPECT_DOUBLE_EQ(model.range(Axis::Bottom).minimum, -0.1);
    EXPECT_DOUBLE_EQ(model.range(Axis::Bottom).maximum, 1.1);
    EXPECT_FALSE(model.isAutomatic(Axis::Top));
    EXPECT_TRUE(model.isAutomatic(Axis::Depth));

    model.zoomPercent(80);   // widens: d = 60 × -0.2 = -12
    EXPECT_EQ(model.range(Axis::Left), (AxisRange{8, 92}));
}

TEST(BarChartModel, ScrollingMovesOnlyItsPairOfAxes)
{
    BarChartModel model = modelWith({10.0});
    model.setRange(Axis::Left, {0, 200});
    model.setRange(Axis::Bottom, {0, 50});
    model.scrollHorizontal(10);
    EXPECT_EQ(model.range(Axis::Bottom), (AxisRange{5, 55}));
    EXPECT_EQ(model.range(Axis::Top), (AxisRange{-0.5 + 0.1, 0.5 + 0.1}));
    EXPECT_EQ(model.range(Axis::Left), (AxisRange{0, 200}));
    EXPECT_TRUE(model.isAutomatic(Axis::Right));

    model.scrollVertical(-3);
    EXPECT_EQ(model.range(Axis::Left), (AxisRange{-6, 194}));
    EXPECT_FALSE(model.isAutomatic(Axis::Right));

    model.undoZoom();
    for (Axis axis : {Axis::Left, Axis::Right, Axis::Top, Axis::Bottom, Axis::Depth}) {
        EXPECT_TRUE(model.isAutomatic(axis));
        EXPECT_EQ(model.range(axis), model.automaticRange(axis));
    }
}

TEST(BarChartModel, LegendCyclesLeftTopRightBottom)
{
    EXPECT_EQ(nextLegendPosition(LegendPosition::Left), LegendPosition::Top);
    EXPECT_EQ(nextLegendPosition(LegendPosition::Top), LegendPosition::Right);
    EXPECT_EQ(nextLegendPosition(LegendPosition::Right), LegendPosition::Bottom);
    EXPECT_EQ(nextLegendPosition(LegendPosition::Bottom), LegendPosition::Left);
}

TEST(BarChartModel, SeriesExchangeAndMarks)
{
    BarChartModel model;
    model.setSeries({{.title = "A"}, {.title = "B"}, {.title = "C", .labels = {"só C"}}});
    model.exchangeSeries(0, 2);
    EXPECT_EQ(model.series()[0].title, "C");
    EXPECT_EQ(model.series()[2].title, "A");
    EXPECT_EQ(model.categoryLabel(0), "só C");
    EXPECT_THROW(model.exchangeSeries(2, 3), std::out_of_range);
    model.setMarksVisible(false);
    for (const auto& s : model.series())
        EXPECT_FALSE(s.marksVisible);
}

TEST(BarChartModel, NumbersUseTheProcessSeparators)
{
    EXPECT_EQ(chartNumber(1234.5), "1.234,5");
    EXPECT_EQ(chartNumber(1234567), "1.234.567");
    EXPECT_EQ(chartNumber(0), "0");
    EXPECT_EQ(chartNumber(0.25), "0,25");
    EXPECT_EQ(chartNumber(-2.5), "-2,5");
    EXPECT_EQ(chartNumber(-0.0004, 4), "-0,0004");
    EXPECT_EQ(chartNumber(1234, 0), "1.234");

    // Every mark of a chart shows as many decimals as its most precise value.
    BarChartModel model;
    model.setSeries({{.values = {21.7, std::nullopt}}, {.values = {21.03}}});
    EXPECT_EQ(model.markText(21.7), "21,70");
    EXPECT_EQ(model.markText(21.03), "21,03");
    model.setSeries({{.values = {1234567, 5}}});
    EXPECT_EQ(model.markText(5), "5");
    model.setSeries({{.values = {0.00041, 21.7}}});
    EXPECT_EQ(model.markText(21.7), "21,70000");
    EXPECT_EQ(model.markText(0.00041), "0,00041");
    EXPECT_EQ(niceStep(100, 8), 20);
    EXPECT_EQ(niceStep(12000, 8), 2000);
    EXPECT_EQ(niceStep(0, 8), 1);
}

TEST(BarChartModel, WheelZoomKeepsItsPointAndABarIsDescribedInFull)
{
    BarChartModel model = modelWith({1234.5678, -20.0});
    BarSeries second;
    second.title = "Mulheres";
    second.values = {50.0, std::nullopt};
    BarSeries behind = second;
    behind.layout = BarLayout::Behind;
    model.setSeries({model.series()[0], second, behind});
    model.seriesAt(0).labels = {"Bahia\r2000", "Ceará"};
    model.setRange(Axis::Left, {-100, 2000});
    model.setRange(Axis::Right, {-100, 2000});

    EXPECT_EQ(model.describeBar({0, 0}), "Série: A\nLocalidade: Bahia 2000\nValor: 1.234,5678");

    model.setRange(Axis::Bottom, {-0.5, 1.5});
    model.setRange(Axis::Top, {-0.5, 1.5});
    model.zoomAbout(0.25, 0.5, 0.5);
    EXPECT_EQ(model.range(Axis::Bottom), (AxisRange{-0.25, 0.75}));
    EXPECT_EQ(model.range(Axis::Top), (AxisRange{-0.25, 0.75}));
    EXPECT_EQ(model.range(Axis::Left), (AxisRange{425, 1475}));
    EXPECT_EQ(model.range(Axis::Right), (AxisRange{425, 1475}));
}
