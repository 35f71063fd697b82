// Grabs the chart window in a few typical states into PNG files, to look at.
#include "charts/widgets/chart_window.h"
#include "sample_series.h"

#include <QApplication>
#include <QPushButton>

#include <iostream>

using namespace daxo::charts;

namespace {

void grab(std::vector<ChartSeries> series, const std::string& header, bool openDetail, const QString& file)
{
    ChartWindow window({.kind = ChartKind::Absolute, .header = header, .percentageButton = true,
                        .larguraTela = 1024},
                       std::move(series));
    window.show();
    if (openDetail)
        window.findChild<QPushButton*>("SpeedButton14")->click();
    QApplication::processEvents();
    window.grab().save(file);
    std::cout << file.toStdString() << '\n';
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
    return 0;
}
