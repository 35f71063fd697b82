#include "platform/bar_chart.h"
#include "sample_series.h"
#include "charts/widgets/chart_tools.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace daxo::platform;
using daxo::charts::toBarSeries;
namespace samples = daxo::charts::samples;

namespace {

std::set<QRgb> coloursIn(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000);
    return colours;
}

bool has(const std::set<QRgb>& colours, const ChartColour& c)
{
    return colours.count(qRgb(c.red, c.green, c.blue)) > 0;
}

// The chart without its legend, so every colour found is a bar.
std::unique_ptr<BarChart> chartOf(int seriesCount, const std::vector<std::string>& localities)
{
    auto chart = std::make_unique<BarChart>();
    chart->resize(781, 373);
    chart->model().setSeries(toBarSeries(samples::sampleSeries(seriesCount, localities)));
    chart->model().legendVisible = false;
    return chart;
}

} // namespace

TEST(BarChartRendering, EverySeriesDrawsItsColourOnWhite)
{
    BarChart chart;
    chart.resize(781, 373);
    chart.model().setSeries(toBarSeries(samples::sampleSeries(3, {"Brasil", "Bahia", "Bahia\r2000\r15 a 17"})));
    chart.model().legendVisible = false;
    const QImage image = chart.toImage();
    EXPECT_EQ(image.size(), QSize(781, 373));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::white));
    const auto colours = coloursIn(image);
    for (const auto& s : chart.model().series())
        EXPECT_TRUE(has(colours, s.colour)) << s.title;
}

TEST(BarChartRendering, NullValuesDrawNoBar)
{
    BarChart chart;
    chart.resize(600, 300);
    chart.model().setSeries({{.title = "cheia", .colour = {45, 145, 115}, .labels = {"a", "b"}, .values = {5.0, 7.0}},
                             {.title = "vazia", .colour = {171, 163, 65}, .labels = {"a", "b"},
                              .values = {std::nullopt, std::nullopt}}});
    chart.model().legendVisible = false;
    auto colours = coloursIn(chart.toImage());
    EXPECT_TRUE(has(colours, {45, 145, 115}));
    EXPECT_FALSE(has(colours, {171, 163, 65}));

    chart.model().legendVisible = true;   // the legend still names the empty series
    colours = coloursIn(chart.toImage());
    EXPECT_TRUE(has(colours, {171, 163, 65}));
}

TEST(BarChartRendering, TwentySevenStatesByNineSeriesKeepEveryColourVisible)
{
    auto chart = chartOf(9, samples::kStates);
    const auto colours = coloursIn(chart->toImage());
    for (const auto& s : chart->model().series())
        EXPECT_TRUE(has(colours, s.colour)) << s.title;
}

TEST(BarChartRendering, BarsScrolledAwayAreClippedToThePlot)
{
    auto chart = chartOf(3, {"Brasil", "Bahia"});
    chart->model().scrollHorizontal(500);
    const auto colours = coloursIn(chart->toImage());
    for (const auto& s : chart->model().series())
        EXPECT_FALSE(has(colours, s.colour)) << s.title;
}

TEST(BarChartRendering, FlatAndBehindLayoutsStillDrawEverySeries)
{
    auto chart = chartOf(4, {"Brasil", "Bahia", "Sergipe"});
    chart->model().view.enabled = false;
    chart->model().seriesAt(1).layout = BarLayout::Behind;
    chart->model().seriesAt(3).layout = BarLayout::Behind;
    chart->model().legendPosition = LegendPosition::Bottom;
    const auto colours = coloursIn(chart->toImage(QSize(500, 260)));
    // A series behind may hide behind the front row, but the front row and
    // the back row with the tallest bars show.
    EXPECT_TRUE(has(colours, chart->model().series()[0].colour));
    EXPECT_TRUE(has(colours, chart->model().series()[2].colour));
}

TEST(BarChartRendering, DepthSidesFollowThe3DView)
{
    auto chart = chartOf(1, {"Brasil", "Bahia"});
    const QColor colour = QColor(45, 145, 115);
    const auto side = colour.darker(130);
    const auto sideShown = [&] {
        return has(coloursIn(chart->toImage()), {side.red(), side.green(), side.blue()});
    };
    EXPECT_TRUE(sideShown());
    const QImage front = chart->toImage();
    chart->model().view.orthogonal = false;
    chart->model().view.rotation = 300;
    EXPECT_NE(chart->toImage(), front);
    chart->model().view.rotation = 270;   // looking straight along the depth: no side faces
    EXPECT_FALSE(sideShown());
    chart->model().view.rotation = 360;
    chart->model().view.enabled = false;
    EXPECT_FALSE(sideShown());
}

// A zoom that lifts the axis minimum above a bar leaves nothing of it (no
// slab on the floor), and a bar above the axis maximum keeps its mark to
// itself rather than floating it over the plot.
TEST(BarChartRendering, BarsAndMarksOutsideTheValueRangeStayOutOfThePlot)
{
    const ChartColour low{45, 145, 115}, high{171, 163, 65};
    BarChart chart;
    chart.resize(600, 300);
    chart.model().setSeries({{.title = "baixa", .colour = low, .labels = {"a", "b"}, .values = {1.0, std::nullopt}},
                             {.title = "alta", .colour = high, .labels = {"a", "b"}, .values = {std::nullopt, 104.0}}});
    chart.model().legendVisible = false;
    chart.model().setRange(Axis::Left, {50, 100});
    const QImage image = chart.toImage();
    const auto colours = coloursIn(image);
    const QColor shades[] = {QColor(low.red, low.green, low.blue), QColor(low.red, low.green, low.blue).lighter(125),
                             QColor(low.red, low.green, low.blue).darker(130)};
    for (const QColor& shade : shades)
        EXPECT_FALSE(has(colours, {shade.red(), shade.green(), shade.blue()})) << shade.name().toStdString();
    EXPECT_TRUE(has(colours, high)) << "the tall bar shows up to the top of the plot";

    chart.model().seriesAt(1).marksVisible = false;
    EXPECT_EQ(chart.toImage(), image);
}

TEST(BarChartRendering, WheelZoomsAboutThePointerAndHoverNamesTheBar)
{
    BarChart chart;
    chart.resize(600, 300);
    chart.model().setSeries({{.title = "Homens", .colour = {200, 30, 30}, .labels = {"Bahia\r1991", "Ceará"},
                              .values = {1234.5, std::nullopt}},
                             {.title = "Mulheres", .colour = {30, 30, 200}, .values = {900.25, 700.0}},
                             {.title = "Total", .colour = {30, 160, 30}, .values = {std::nullopt, 2134.75},
                              .layout = BarLayout::Behind}});
    chart.model().legendVisible = false;
    // The middle of the front face of the one bar in `colour`.
    const QImage image = chart.toImage();
    const auto middleOf = [&image](QColor colour) {
        QPointF sum;
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == colour)
                    sum += QPointF(x, y), ++count;
        EXPECT_GT(count, 0) << colour.name().toStdString();
        return (sum / std::max(count, 1)).toPoint();
    };
    const QPoint bar = middleOf(QColor(200, 30, 30));

    chart.show();
    QTest::mouseMove(&chart, bar);
    EXPECT_EQ(chart.toolTip().toStdString(), "Série: Homens\nLocalidade: Bahia 1991\nValor: 1.234,5");
    // A series drawn behind the others names itself where it shows.
    QTest::mouseMove(&chart, middleOf(QColor(30, 160, 30)));
    EXPECT_EQ(chart.toolTip().toStdString(), "Série: Total\nLocalidade: Ceará\nValor: 2.134,75");
    QTest::mouseMove(&chart, QPoint(2, 2));
    EXPECT_TRUE(chart.toolTip().isEmpty());

    // What lies under the pointer, in axis units.
    const auto under = [&](QPoint pixel) {
        QImage scratch(chart.size(), QImage::Format_RGB32);
        QPainter painter(&scratch);
        const PlotFrame frame = paintBarChart(painter, QRectF(chart.rect()), chart.model());
        const QRectF& f = frame.front;
        return std::pair{frame.horizontal.minimum + (pixel.x() - f.left()) / f.width() *
                                                        (frame.horizontal.maximum - frame.horizontal.minimum),
                         frame.vertical.minimum + (f.bottom() - pixel.y()) / f.height() *
                                                      (frame.vertical.maximum - frame.vertical.minimum)};
    };
    bool zoomed = false;
    chart.onMouseZoom = [&](bool z) { zoomed = z; };
    const auto before = under(bar);
    const double span = chart.model().range(Axis::Bottom).maximum - chart.model().range(Axis::Bottom).minimum;
    QWheelEvent notch(bar, chart.mapToGlobal(bar), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &notch);
    EXPECT_TRUE(zoomed);
    const AxisRange bottom = chart.model().range(Axis::Bottom);
    EXPECT_DOUBLE_EQ(bottom.maximum - bottom.minimum, span * 0.8);
    // The axis labels may change width as the range narrows: a few pixels.
    const auto after = under(bar);
    EXPECT_NEAR(after.first, before.first, span / 100);
    EXPECT_NEAR(after.second, before.second, 1500.0 / 50);
    QImage scratch(chart.size(), QImage::Format_RGB32);
    QPainter painter(&scratch);
    EXPECT_EQ(paintBarChart(painter, QRectF(chart.rect()), chart.model()).barAt(bar), (BarPlace{0, 0}))
        << "still over the same bar";
}
