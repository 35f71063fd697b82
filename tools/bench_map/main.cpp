// Times the national municipal map of the full sample installation: layer
// load, first drawing and redrawing after a palette change through the map
// component, each beside the same polygons drawn straight onto a QImage with
// QPainter in the same run (the practical limit); the map output from the
// "Mapa" click to the drawn municipal class map; and the loading of the
// selection-map layers at start-up; and the national municipal map written
// as a picture for a paper in each format, beside a screen drawing.
//   bench_map [installation folder]   (written by daxo_generate when absent)
#include "indicators/indicator_panels.h"
#include "indicators/indicator_rows.h"
#include "localities/geography.h"
#include "maps/map_picture.h"
#include "maps/map_preparation.h"
#include "platform/data_module.h"
#include "platform/map_control.h"
#include "platform/map_layer.h"
#include "platform/map_renderer.h"
#include "query/query_runner.h"
#include "query/runner_statements.h"

#include "timing.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace daxo;
using bench::median;
using bench::seconds;

namespace {

constexpr int kRounds = 3;
const QRect kTarget(0, 0, 700, 620);   // about the map window's drawing area

fs::path installationFolder(int argc, char** argv)
{
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "daxo_bench_installation";
    if (!fs::exists(folder / "Mapas" / "MUNICIPIOS.shp")) {
        std::printf("writing the full sample installation into %s\n", folder.c_str());
        const std::string command = std::string(DAXO_GENERATE) + " " + folder.string() + " > /dev/null";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("daxo_generate failed");
    }
    return folder;
}

// Five classes on the state of each feature, in one of two palettes.
std::shared_ptr<platform::ValueMapRenderer> palette(const platform::MapLayer& layer, bool warm)
{
    auto renderer = std::make_shared<platform::ValueMapRenderer>();
    renderer->field = "NAME2_";
    std::vector<std::string> values;
    for (auto r = layer.records(); !r.eof(); r.moveNext()) values.push_back(r.text("NAME2_"));
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    renderer->setValueCount(static_cast<int>(values.size()));
    const std::uint32_t warmRamp[] = {0xFFF5EB, 0xFDD0A2, 0xFD8D3C, 0xD94801, 0x7F2704};
    const std::uint32_t coolRamp[] = {0xF7FBFF, 0xC6DBEF, 0x6BAED6, 0x2171B5, 0x08306B};
    for (int i = 0; i < renderer->valueCount(); ++i) {
        renderer->setValue(i, values[i]);
        renderer->symbol(i).fillColour = (warm ? warmRamp : coolRamp)[i % 5];
        renderer->symbol(i).outlineColour = 0x808080;
    }
    return renderer;
}

// The practical limit: the same rings as paths, filled and outlined with a
// cosmetic pen onto an image, with the same transform and antialiasing.
struct DirectDrawing {
    std::vector<QPainterPath> paths;

    void build(const platform::MapLayer& layer)
    {
        paths.clear();
        for (std::size_t i = 0; i < layer.featureCount(); ++i) {
            QPainterPath path;
            path.setFillRule(Qt::OddEvenFill);
            for (const auto& part : layer.shape(i).parts) {
                if (part.empty()) continue;
                path.moveTo(part.front().x, part.front().y);
                for (std::size_t k = 1; k < part.size(); ++k) path.lineTo(part[k].x, part[k].y);
                path.closeSubpath();
            }
            paths.push_back(std::move(path));
        }
    }

    void draw(const platform::MapLayer& layer, QImage& image, bool warm)
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const auto& box = layer.extent();
        const double scale = std::min(kTarget.width() / box.width(), kTarget.height() / box.height());
        painter.setTransform(QTransform(scale, 0, 0, -scale, -box.left() * scale, box.top() * scale));
        QPen pen(QColor(0x80, 0x80, 0x80));
        pen.setCosmetic(true);
        painter.setPen(pen);
        const QColor colours[] = {warm ? QColor(0xFD8D3C) : QColor(0x6BAED6), warm ? QColor(0xD94801) : QColor(0x2171B5)};
        for (std::size_t i = 0; i < paths.size(); ++i) {
            painter.setBrush(colours[i % 2]);
            painter.drawPath(paths[i]);
        }
    }
};

void drawThroughComponent(platform::MapControl& map, QImage& image)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    map.render(painter, kTarget);
}

void municipalLayer(const fs::path& folder)
{
    std::vector<double> load, loadLimit, first, firstLimit, again, againLimit;
    std::size_t features = 0;
    for (int round = 0; round < kRounds; ++round) {
        auto layer = std::make_shared<platform::MapLayer>();
        load.push_back(seconds([&] { layer->setFile(folder / "Mapas" / "MUNICIPIOS.shp"); }));
        features = layer->featureCount();
        // The limit of a load: the shapes read into paths.
        DirectDrawing direct;
        loadLimit.push_back(seconds([&] { direct.build(*layer); }));

        platform::MapControl map;
        map.resize(kTarget.size());
        map.Layers().add(layer);
        QImage image(kTarget.size(), QImage::Format_ARGB32_Premultiplied);
        layer->renderer = palette(*layer, true);
        first.push_back(seconds([&] { drawThroughComponent(map, image); }));
        firstLimit.push_back(seconds([&] {
            direct.build(*layer);
            direct.draw(*layer, image, true);
        }));
        layer->renderer = palette(*layer, false);
        again.push_back(seconds([&] { drawThroughComponent(map, image); }));
        againLimit.push_back(seconds([&] { direct.draw(*layer, image, false); }));
    }
    std::printf("national municipal layer, %zu outlines, %dx%d pixels (medians of %d rounds)\n", features,
                kTarget.width(), kTarget.height(), kRounds);
    std::printf("%-34s %9s %12s %7s\n", "step", "map s", "QPainter s", "ratio");
    const auto line = [](const char* step, const std::vector<double>& a, const std::vector<double>& b) {
        std::printf("%-34s %9.3f %12.3f %6.1fx\n", step, median(a), median(b), median(a) / median(b));
    };
    line("layer load (file read / paths)", load, loadLimit);
    line("first drawing", first, firstLimit);
    line("redrawing after a palette change", again, againLimit);
}

// "Mapa" on Brasil, População under 2000: the runner fills the three national
// layers and copies them; the municipal working layer is then loaded and
// drawn as a five-class map.
void mapOutput(const fs::path& folder)
{
    indicators::IndicatorPanels panels;
    panels.setCensus("2000");
    panels.chooseIndicator(0);
    panels.clickCheckBox("chkTodos");
    panels.VerificaPasso3();
    const query::RowSet rows = query::runnerRows(indicators::MontaLinhasIndicador(panels));
    platform::DataModule dm(folder / "Bases");
    std::vector<double> times, drawing, cpu;
    for (int round = 0; round < kRounds; ++round) {
        localities::MigrationLists migration;
        query::QueryRunner runner(dm, migration);
        const std::clock_t cpuStart = std::clock();
        times.push_back(seconds([&] {
            maps::bt_MapaClick(dm, runner,
                               {.choice = {.indicator = 0, .census = "2000", .names = {"Brasil"}, .codes = {"0"}},
                                .rows = &rows,
                                .programa = folder},
                               {.abreJanela = [&](const maps::MapWindowData&) {
                                   drawing.push_back(seconds([&] {
                                   auto layer = std::make_shared<platform::MapLayer>();
                                   layer->setFile(folder / "mumapa.shp");
                                   auto classes = std::make_shared<platform::ClassBreaksRenderer>();
                                   classes->field = "v01";
                                   classes->setBreakCount(4);
                                   for (int i = 0; i < 4; ++i) classes->setBreak(i, 5000.0 * (1 << (2 * i)));
                                   layer->renderer = classes;
                                   platform::MapControl map;
                                   map.resize(kTarget.size());
                                   map.Layers().add(layer);
                                   QImage image(kTarget.size(), QImage::Format_ARGB32_Premultiplied);
                                   drawThroughComponent(map, image);
                                   }));
                               }});
        }));
        cpu.push_back(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    std::printf("%-34s %9.3f   (target under 0.5 s; of which loading and drawing %.3f; processor time %.3f)\n",
                "\"Mapa\" click to drawn municipal map", median(times), median(drawing), median(cpu));
}

// The whole composition (title, legend, scale bar, north arrow) around the
// municipal layer with outlines, written to a file in each format.
void mapPictures(const fs::path& folder)
{
    auto layer = std::make_shared<platform::MapLayer>();
    layer->setFile(folder / "Mapas" / "MUNICIPIOS.shp");
    layer->renderer = palette(*layer, true);
    maps::FiguraMapa figura{.extensao = layer->extent(),
                            .titulo = "População de homens, mulheres e total",
                            .censo = "2000",
                            .localidade = "Municípios",
                            .indicador = "Homens"};
    figura.camadas.add(layer);
    for (std::uint32_t cor : {0xFFF5EB, 0xFDD0A2, 0xFD8D3C, 0xD94801, 0x7F2704})
        figura.legenda.push_back({.cor = cor, .texto = "1.234 até 5.678"});
    platform::MapControl map;
    map.resize(kTarget.size());
    map.Layers().add(layer);
    QImage image(kTarget.size(), QImage::Format_ARGB32_Premultiplied);
    drawThroughComponent(map, image);   // the paths are built once, as the window has them
    std::vector<double> screen;
    for (int round = 0; round < kRounds; ++round)
        screen.push_back(seconds([&] { drawThroughComponent(map, image); }));
    const fs::path out = fs::temp_directory_path() / "daxo_bench_pictures";
    fs::create_directories(out);
    for (const char* format : {"pdf", "png", "svg"}) {
        const fs::path file = out / (std::string("mapa.") + format);
        std::vector<double> times;
        for (int round = 0; round < kRounds; ++round)
            times.push_back(seconds([&] { maps::gravaFigura(file, figura); }));
        std::printf("%-34s %9.3f   (budget 1 s; %.1fx a screen drawing of %.3f s; %.1f MB)\n",
                    ("municipal map picture, " + std::string(format)).c_str(), median(times),
                    median(times) / median(screen), median(screen), fs::file_size(file) / 1e6);
    }
    fs::remove_all(out);
}

void selectionLayers(const fs::path& folder)
{
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round)
        times.push_back(seconds([&] {
            std::vector<std::shared_ptr<platform::MapLayer>> layers;
            for (const char* national : {"Brasil", "Estados", "Regioes"}) {
                layers.push_back(std::make_shared<platform::MapLayer>());
                layers.back()->setFile(folder / "Mapas" / (std::string(national) + ".shp"));
            }
            for (const localities::State& s : localities::states()) {
                layers.push_back(std::make_shared<platform::MapLayer>());
                layers.back()->setFile(folder / std::string(s.layerFile));
            }
        }));
    std::printf("%-34s %9.3f   (target: start-up under 1 s)\n", "selection-map layers (30) loaded", median(times));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    try {
        const fs::path folder = installationFolder(argc, argv);
        municipalLayer(folder);
        mapOutput(folder);
        selectionLayers(folder);
        mapPictures(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_map: %s\n", e.what());
        return 1;
    }
    return 0;
}
