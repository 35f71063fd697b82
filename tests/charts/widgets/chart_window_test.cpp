#include "charts/widgets/chart_window.h"
#include "platform/bar_chart.h"
#include "sample_series.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <tuple>

using namespace daxo::charts;
using daxo::platform::Axis;
using daxo::platform::LegendPosition;

namespace {

class ChartWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<ChartWindow> make(ChartWindowSetup setup = {.kind = ChartKind::Absolute,
                                                                .header = "Filtro:Censo 2000 - População",
                                                                .percentageButton = true})
    {
        auto window = std::make_unique<ChartWindow>(
            setup, samples::sampleSeries(3, {"Brasil", "Bahia", "Bahia\r2000\r15 a 17 anos"}));
        window->onError = [this](const std::string& text) { errors.push_back(text); };
        return window;
    }
    template <typename T>
    static T* child(const ChartWindow& window, const char* name)
    {
        T* found = window.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void click(const ChartWindow& window, const char* name)
    {
        child<QAbstractButton>(window, name)->click();
    }
    std::vector<std::string> errors;
};

TEST_F(ChartWindowTest, WindowRegionsAndStartingState)
{
    auto window = make({.kind = ChartKind::Absolute, .header = "Filtro:Censo 1991 - Migração\rBahia",
                        .percentageButton = true, .larguraTela = 800});
    bool shown = false;
    window->onShown = [&] { shown = true; };
    window->show();
    EXPECT_TRUE(shown);
    EXPECT_EQ(window->width(), 790);
    EXPECT_EQ(window->height(), 491);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(child<QLabel>(*window, "LabelTopo")->text(), "Filtro:Censo 1991 - Migração\nBahia");
    EXPECT_FALSE(child<QFrame>(*window, "Panel2")->isVisible());
    EXPECT_EQ(child<QFrame>(*window, "Panel3")->height(), 40);
    EXPECT_EQ(child<QPushButton>(*window, "SpeedButton14")->text(), "Abrir Detalhe Gráfico");
    EXPECT_FALSE(child<QToolButton>(*window, "SpeedButton6")->isEnabled());
    EXPECT_TRUE(window->chart()->model().titleLines.empty());
    auto* combo = child<QComboBox>(*window, "ComboBox1");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), "Série 3");
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(child<QFrame>(*window, "Shape1")->palette().color(QPalette::Window), QColor(45, 145, 115));
    EXPECT_TRUE(window->findChild<QWidget*>("RadioGroup2")->findChildren<QRadioButton*>().back()->isChecked());
    EXPECT_EQ(make()->height(), 496);
}

TEST_F(ChartWindowTest, DetailPanelEndsAtTheClosedHeightForTheScreen)
{
    for (const auto& [width, opened, closed] : {std::tuple{1024, 534, 458}, std::tuple{800, 535, 491}}) {
        auto window = make({.kind = ChartKind::Absolute, .header = "h", .larguraTela = width});
        window->show();
        auto* button = child<QPushButton>(*window, "SpeedButton14");
        button->click();
        EXPECT_EQ(window->height(), opened);
        EXPECT_TRUE(child<QFrame>(*window, "Panel2")->isVisible());
        EXPECT_EQ(button->text(), "Fechar Detalhe Gráfico");
        button->click();
        EXPECT_EQ(window->height(), closed) << width;
        EXPECT_FALSE(child<QFrame>(*window, "Panel2")->isVisible());
        EXPECT_EQ(button->text(), "Abrir Detalhe Gráfico");
    }
}

TEST_F(ChartWindowTest, LegendPressedFourTimesReturnsToItsPlace)
{
    auto window = make();
    const auto& model = window->chart()->model();
    const LegendPosition start = model.legendPosition;
    std::vector<LegendPosition> seen;
    for (int i = 0; i < 4; ++i) {
        click(*window, "SpeedButton10");
        seen.push_back(model.legendPosition);
    }
    EXPECT_EQ(seen.back(), start);
    EXPECT_EQ(std::set<LegendPosition>(seen.begin(), seen.end()).size(), 4u);
}

TEST_F(ChartWindowTest, ZoomThenNormalRestoresTheScaleAndDisablesNormal)
{
    auto window = make();
    window->show();
    const auto& model = window->chart()->model();
    const auto left = model.range(Axis::Left), bottom = model.range(Axis::Bottom);
    auto* normal = child<QToolButton>(*window, "SpeedButton6");
    click(*window, "SpeedButton5");
    EXPECT_NE(model.range(Axis::Left), left);
    EXPECT_TRUE(normal->isEnabled());
    normal->click();
    EXPECT_EQ(model.range(Axis::Left), left);
    EXPECT_EQ(model.range(Axis::Bottom), bottom);
    EXPECT_FALSE(normal->isEnabled());

    for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton7"}) {
        click(*window, name);
        EXPECT_TRUE(normal->isEnabled()) << name;
        normal->click();
    }
    // Scroll by +10 per cent to the right.
    click(*window, "SpeedButton1");
    EXPECT_DOUBLE_EQ(model.range(Axis::Bottom).minimum, bottom.minimum + (bottom.maximum - bottom.minimum) / 10);
    normal->click();
    auto* forma = child<QLabel>(*window, "LabelFormaOriginal");
    QTest::mouseClick(forma, Qt::RightButton);
    EXPECT_FALSE(normal->isEnabled()) << "only a left click zooms out";
    QTest::mouseClick(forma, Qt::LeftButton);
    EXPECT_GT(model.range(Axis::Left).maximum - model.range(Axis::Left).minimum, left.maximum - left.minimum);
    EXPECT_TRUE(normal->isEnabled());
}

TEST_F(ChartWindowTest, MouseDragZoomsIntoItsRectangleAndEnablesNormal)
{
    auto window = make();
    window->show();
    auto* chart = window->chart();
    const auto& model = chart->model();
    const auto left = model.range(Axis::Left), bottom = model.range(Axis::Bottom);
    const QPoint from(chart->width() / 3, chart->height() / 3), to(chart->width() / 2, chart->height() / 2);
    QTest::mousePress(chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(chart, to);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, to);
    EXPECT_GT(model.range(Axis::Bottom).minimum, bottom.minimum);
    EXPECT_LT(model.range(Axis::Bottom).maximum, bottom.maximum);
    EXPECT_LT(model.range(Axis::Left).maximum, left.maximum);
    EXPECT_TRUE(child<QToolButton>(*window, "SpeedButton6")->isEnabled());

    QTest::mousePress(chart, Qt::LeftButton, {}, to);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, from);   // dragged back: zoom given up
    EXPECT_TRUE(model.isAutomatic(Axis::Left));
    EXPECT_FALSE(child<QToolButton>(*window, "SpeedButton6")->isEnabled()) << "nothing left to undo";
}

TEST_F(ChartWindowTest, Unticking3DFreezesRotationAndDepth)
{
    auto window = make();
    window->show();
    const auto& view = window->chart()->model().view;
    auto* check = child<QCheckBox>(*window, "CheckBox1");
    auto* rotation = child<QScrollBar>(*window, "ScrollBar3");
    auto* depth = child<QScrollBar>(*window, "ScrollBar2");
    EXPECT_EQ(rotation->minimum(), 270);
    EXPECT_EQ(rotation->value(), 360);
    EXPECT_EQ(depth->value(), 15);
    check->click();
    EXPECT_FALSE(view.enabled);
    EXPECT_FALSE(rotation->isEnabled());
    EXPECT_FALSE(depth->isEnabled());
    rotation->setValue(300);
    depth->setValue(70);
    EXPECT_EQ(view.rotation, 360);
    EXPECT_EQ(view.depthPercent, 15);
    check->click();
    EXPECT_TRUE(view.enabled);
    EXPECT_TRUE(rotation->isEnabled());
    rotation->setValue(290);
    depth->setValue(40);
    EXPECT_EQ(view.rotation, 290);
    EXPECT_EQ(view.depthPercent, 40);
}

TEST_F(ChartWindowTest, MarksOffThenASeriesMovedShowsAllMarks)
{
    auto window = make();
    window->show();
    const auto& model = window->chart()->model();
    auto* off = child<QToolButton>(*window, "SpeedButton11");
    auto* on = child<QToolButton>(*window, "SpeedButton13");
    EXPECT_EQ(off->toolTip(), "Liga e desliga a legenda superior");
    off->click();
    EXPECT_TRUE(off->isHidden());
    EXPECT_FALSE(on->isHidden());
    for (const auto& s : model.series())
        EXPECT_FALSE(s.marksVisible);

    click(*window, "SpeedButton8");   // first series one place later
    for (const auto& s : model.series())
        EXPECT_TRUE(s.marksVisible);
    EXPECT_FALSE(off->isHidden());
    EXPECT_TRUE(on->isHidden());
    EXPECT_EQ(model.series()[1].title, "Série 1");
    auto* combo = child<QComboBox>(*window, "ComboBox1");
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->itemText(0), "Série 2");

    click(*window, "SpeedButton9");
    click(*window, "SpeedButton9");   // already first: stays
    EXPECT_EQ(model.series()[0].title, "Série 1");
    EXPECT_EQ(combo->currentIndex(), 0);
}

// Twenty-seven states by nine series leave each bar a few pixels: the
// marks still show where they have room, so the button switches them.
TEST_F(ChartWindowTest, MarksOfACrowdedChartShowAndTheButtonHidesThem)
{
    ChartWindow window({.kind = ChartKind::Absolute, .header = "Filtro:Censo 2000 - População"},
                       samples::sampleSeries(9, samples::kStates));
    window.show();
    QTest::mouseClick(child<QPushButton>(window, "SpeedButton14"), Qt::LeftButton);
    const QImage withMarks = window.chart()->toImage();
    QTest::mouseClick(child<QToolButton>(window, "SpeedButton11"), Qt::LeftButton);
    ASSERT_FALSE(window.chart()->model().series().front().marksVisible);
    const QImage withoutMarks = window.chart()->toImage();
    EXPECT_NE(withMarks, withoutMarks);
    QTest::mouseClick(child<QToolButton>(window, "SpeedButton13"), Qt::LeftButton);
    EXPECT_EQ(window.chart()->toImage(), withMarks);
}

TEST_F(ChartWindowTest, SelectedSeriesGetsTheChosenBarLayout)
{
    auto window = make();
    window->show();
    auto* combo = child<QComboBox>(*window, "ComboBox1");
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    EXPECT_EQ(child<QFrame>(*window, "Shape1")->palette().color(QPalette::Window), QColor(193, 163, 209));
    auto* behind = window->findChild<QWidget*>("RadioGroup2")->findChildren<QRadioButton*>().front();
    ASSERT_EQ(behind->text(), "Atrás");
    behind->click();
    EXPECT_EQ(window->chart()->model().series()[2].layout, daxo::platform::BarLayout::Behind);
    EXPECT_EQ(window->chart()->model().series()[0].layout, daxo::platform::BarLayout::Side);
}

TEST_F(ChartWindowTest, SwitchButtonAndClosingPerKind)
{
    auto absolute = make({.kind = ChartKind::Absolute, .header = "h", .percentageButton = false});
    absolute->show();
    EXPECT_FALSE(child<QPushButton>(*absolute, "bt_Percentual")->isVisible());

    auto percentage = make({.kind = ChartKind::Percentage, .header = "h", .percentageButton = false});
    percentage->show();
    click(*percentage, "SpeedButton14");
    auto* button = child<QPushButton>(*percentage, "bt_Percentual");
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->text(), "Número");
    EXPECT_EQ(button->toolTip(), "Expressa em números absolutos");
    int switched = 0, closedOther = 0;
    percentage->onSwitch = [&] { ++switched; };
    percentage->onClose = [&] { ++closedOther; };
    button->click();
    EXPECT_EQ(switched, 1);
    click(*percentage, "btnFechar");
    EXPECT_FALSE(percentage->isVisible());
    EXPECT_EQ(closedOther, 0);

    auto withButton = make();
    withButton->onClose = [&] { ++closedOther; };
    withButton->show();
    EXPECT_EQ(child<QPushButton>(*withButton, "bt_Percentual")->text(), "%");
    click(*withButton, "btnFechar");
    EXPECT_EQ(closedOther, 1);
    EXPECT_FALSE(withButton->isVisible());
}

TEST_F(ChartWindowTest, SaveWritesABitmapWithTitleAndFooterThenClearsThem)
{
    QTemporaryDir dir;
    auto window = make();
    window->show();
    const std::string path = (dir.path() + "/gráfico.bmp").toStdString();
    window->chooseBitmapFile = [&]() -> std::optional<std::string> { return path; };
    click(*window, "btnSalvar");
    QImage saved(QString::fromStdString(path), "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), window->chart()->size());
    bool titleColourFound = false;
    for (int y = 0; y < 30 && !titleColourFound; ++y)
        for (int x = 0; x < saved.width() && !titleColourFound; ++x)
            titleColourFound = saved.pixelColor(x, y) == QColor(20, 65, 155);
    EXPECT_TRUE(titleColourFound);
    EXPECT_TRUE(window->chart()->model().titleLines.empty());
    EXPECT_TRUE(window->chart()->model().footerLines.empty());
    EXPECT_TRUE(errors.empty());

    QFile::remove(QString::fromStdString(path));
    window->chooseBitmapFile = [] { return std::optional<std::string>(); };
    click(*window, "btnSalvar");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_TRUE(errors.empty());

    const std::string unwritable = (dir.path() + "/não/existe/x.bmp").toStdString();
    window->saveChart(unwritable);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(unwritable), std::string::npos);
    EXPECT_NE(errors[0].find(": arquivo ou pasta não encontrado."), std::string::npos) << errors[0];
    EXPECT_TRUE(window->chart()->model().titleLines.empty());
}

TEST_F(ChartWindowTest, PrintsLandscapeOrReportsTheFailure)
{
    QTemporaryDir dir;
    auto window = make();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.path() + "/grafico.pdf");
    window->printChart(printer);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_GT(QFile(dir.path() + "/grafico.pdf").size(), 1000);
    EXPECT_TRUE(window->chart()->model().titleLines.empty());

    QPrinter broken;
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(dir.path() + "/não/existe/grafico.pdf");
    window->printChart(broken);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("imprimir"), std::string::npos);
    EXPECT_TRUE(window->chart()->model().footerLines.empty());
}

} // namespace
