// Grabs the chart window in a few typical states into PNG files, to look at.
#include "charts/widgets/chart_export.h"
#include "charts/widgets/chart_window.h"
#include "sample_series.h"

#include <QApplication>
#include <QPushButton>

#include <iostream>

using namespace daxo::charts;

namespace {

// `presses` of each detail button named in `buttons` before the grab.
void grab(std::vector<ChartSeries> series, const std::string& header, bool openDetail, const QString& file,
          const std::vector<const char*>& buttons = {})
{
    ChartWindow window({.kind = ChartKind::Absolute, .header = header, .percentageButton = true,
                        .larguraTela = 1024},
                       std::move(series));
    window.show();
    if (openDetail)
        window.findChild<QPushButton*>("SpeedButton14")->click();
    for (const char* name : buttons)
        window.findChild<QAbstractButton*>(name)->click();
    QApplication::processEvents();
    window.grab().save(file);
    std::cout << file.toStdString() << '\n';
}

// The chart as "Exportar…" keeps it, in the three picture formats.
void exportPictures(const std::vector<ChartSeries>& series, const std::string& header, const QString& stem)
{
    for (const char* extension : {".png", ".svg", ".pdf"}) {
        const std::string file = (stem + extension).toStdString();
        exportChart({.header = header, .series = series}, file);
        std::cout << file << '\n';
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? argv[1] : ".";
    const std::vector<std::string> four = {"Brasil", "Nordeste", "Bahia", "Bahia\r2000\r15 a 17 anos"};
    const std::string header = "Filtro:Censo 2000 - População; Homens, Mulheres; de 15 a 17 anos";
    grab(samples::sampleSeries(3, four), header, false, folder + "/chart_3x4.png");
    grab(samples::sampleSeries(9, samples::kStates), header, false, folder + "/chart_27x9.png");
    grab(samples::sampleSeries(3, four), header + "\rBahia", true, folder + "/chart_detail.png");
    grab(samples::sampleSeries(9, samples::kStates), header, true, folder + "/chart_27x9_zoomed_legend_bottom.png",
         {"SpeedButton10", "SpeedButton10", "SpeedButton10", "SpeedButton5", "SpeedButton1", "CheckBox1"});
    grab(samples::sampleSeries(5, four), header, false, folder + "/chart_legend_top_behind.png",
         {"SpeedButton10", "SpeedButton10"});
    // Zoomed in three times: the axis minimum rises above the small bars and
    // the tall ones run out of the top; the wider groups give marks room.
    grab(samples::sampleSeries(9, samples::kStates), header, false, folder + "/chart_27x9_zoom3.png",
         {"SpeedButton5", "SpeedButton5", "SpeedButton5"});
    grab(samples::sampleSeries(3, four), header, false, folder + "/chart_3x4_zoom2.png",
         {"SpeedButton5", "SpeedButton5"});
    exportPictures(samples::sampleSeries(9, samples::kStates), header, folder + "/chart_export_27x9");
    exportPictures(samples::sampleSeries(3, four), header + "\rBahia", folder + "/chart_export_3x4");
    return 0;
}
