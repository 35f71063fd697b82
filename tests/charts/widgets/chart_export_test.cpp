// "Salvar" of a chart window beside its bitmap: pictures of a paper's size
// in PNG, SVG and PDF, and the chart's data as CSV.
#include "charts/widgets/chart_export.h"
#include "charts/widgets/chart_window.h"
#include "platform/bar_chart.h"
#include "platform/safe_files.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

using namespace daxo::charts;
namespace fs = std::filesystem;

namespace {

std::string bytes(const fs::path& path)
{
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Two series over a locality and an age group; one cell empty, one zero.
std::vector<ChartSeries> series()
{
    const std::vector<std::string> labels = {"Sergipe", "Bahia\r2000\r15 a 17 anos"};
    return {{.name = "Mas", .title = "Homens", .colour = {45, 145, 115}, .labels = labels, .values = {1234567.5, 0}},
            {.name = "Fem", .title = "Mulheres", .colour = {171, 163, 65}, .labels = labels,
             .values = {std::nullopt, 0.125}}};
}

class ChartExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<ChartWindow>(
            ChartWindowSetup{.kind = ChartKind::Absolute,
                             .header = "Filtro:Censo 2000 - População",
                             .dataLines = {"Filtro: População", "Censo: 2000"},
                             .percentageButton = true},
            series());
        window->onError = [this](const std::string& text) { errors.push_back(text); };
        window->show();
    }
    // "Salvar" pressed with the mouse, the dialog answering `file`.
    void save(const fs::path& file)
    {
        window->chooseBitmapFile = [file] { return std::optional<std::string>(file.string()); };
        QTest::mouseClick(window->findChild<QPushButton*>("btnSalvar"), Qt::LeftButton);
        EXPECT_TRUE(window->chart()->model().titleLines.empty()) << "the title goes after saving";
    }

    QTemporaryDir dir;
    fs::path folder = dir.path().toStdString();
    std::unique_ptr<ChartWindow> window;
    std::vector<std::string> errors;
};

} // namespace

TEST_F(ChartExportTest, PicturesHaveThePageSizeWhateverTheWindow)
{
    save(folder / "gráfico.png");
    const QImage png(QString::fromStdString((folder / "gráfico.png").string()), "PNG");
    ASSERT_EQ(png.size(), kTamanhoFigura * daxo::platform::kPngScale);
    bool titleColourFound = false;
    for (int y = 0; y < 120 && !titleColourFound; ++y)
        for (int x = 0; x < png.width() && !titleColourFound; ++x)
            titleColourFound = png.pixelColor(x, y) == QColor(20, 65, 155);
    EXPECT_TRUE(titleColourFound) << "the header is the picture's title";

    save(folder / "gráfico.svg");
    const std::string svg = bytes(folder / "gráfico.svg");
    EXPECT_NE(svg.find("viewBox=\"0 0 1123 794\""), std::string::npos);
    EXPECT_NE(svg.find("<title>Filtro:Censo 2000 - População</title>"), std::string::npos);
    for (const char* text : {"Homens", "Mulheres", "Sergipe", "1.234.567,5", "DAXO - Velmora"})
        EXPECT_NE(svg.find(text), std::string::npos) << text << ": text, not pixels";
    QSvgRenderer renderer(QString::fromStdString((folder / "gráfico.svg").string()));
    EXPECT_TRUE(renderer.isValid());

    save(folder / "gráfico.PDF");
    const std::string pdf = bytes(folder / "gráfico.PDF");
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    const auto box = QRegularExpression(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])").match(QString::fromStdString(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_NEAR(box.captured(1).toDouble(), 1123 * 0.75, 1) << "points of the page at 96 dpi";
    EXPECT_NEAR(box.captured(2).toDouble(), 794 * 0.75, 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ChartExportTest, DataKeepEmptyCellsApartFromZero)
{
    save(folder / "dados.csv");
    EXPECT_EQ(bytes(folder / "dados.csv"), "\xEF\xBB\xBF"
                                           "Filtro: População\r\n"
                                           "Censo: 2000\r\n"
                                           "\r\n"
                                           "Localidade;Homens;Mulheres\r\n"
                                           "Sergipe;1234567,5;-\r\n"
                                           "Bahia - 2000 - 15 a 17 anos;0;0,125\r\n");
    // "Exportar…" writes the chart as first shown from the data alone.
    const ChartData data{.header = "Filtro:Censo 2000 - População",
                         .dataLines = {"Filtro: População", "Censo: 2000"},
                         .series = series()};
    EXPECT_EQ(exportChart(data, folder / "exportado.csv"), std::vector{folder / "exportado.csv"});
    EXPECT_EQ(bytes(folder / "exportado.csv"), bytes(folder / "dados.csv"));
    EXPECT_THROW(exportChart(data, folder / "exportado.gif"), std::runtime_error);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ChartExportTest, AFailedWriteLeavesNothingAndIsReported)
{
    {
        const daxo::platform::SimulatedWriteFailure full(std::errc::no_space_on_device);
        for (const char* name : {"gráfico.png", "gráfico.svg", "gráfico.pdf", "dados.csv"})
            save(folder / name);
    }
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_NE(errors[0].find((folder / "gráfico.png").string()), std::string::npos) << errors[0];
    EXPECT_TRUE(fs::is_empty(folder)) << "no file, not even a temporary one";
}

TEST_F(ChartExportTest, TheDialogOffersTheBitmapFirstThenPicturesAndData)
{
    QStringList filters;
    QString suffix;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        for (auto* button : dialog->findChildren<QPushButton*>())
            if (button->text() == "Cancelar")
                QTest::mouseClick(button, Qt::LeftButton);
    });
    QTest::mouseClick(window->findChild<QPushButton*>("btnSalvar"), Qt::LeftButton);
    EXPECT_EQ(filters, (QStringList{"Windows Bitmap (*.bmp)", "Figura PNG (*.png)", "Figura SVG (*.svg)",
                                    "Documento PDF (*.pdf)", "Dados do gráfico (*.csv)"}));
    EXPECT_EQ(suffix, "bmp");
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_TRUE(errors.empty());
}
