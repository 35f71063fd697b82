#pragma once
// A chart kept beyond its window: a picture fit for a paper (PNG at high
// resolution, vector SVG or PDF) or its data as CSV.
#include "charts/chart_series.h"
#include "platform/bar_chart_model.h"
#include "platform/image_files.h"

#include <QSize>
#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::charts {

// A landscape A4 page at 96 dpi, so that a picture does not depend on the
// screen it was saved from.
inline constexpr QSize kTamanhoFigura{1123, 794};

// The kinds of file a chart can be kept as, beside the bitmap of "Salvar".
QStringList chartFileFilters();

// What one chart window shows, held by value: the window may be gone when
// it is exported.
struct ChartData {
    std::string header;                   // LabelTopo, the picture's title
    std::vector<std::string> dataLines;   // above the table of the CSV file
    std::vector<ChartSeries> series;
};

// A ".csv" file, in any letter case: the chart's data rather than a picture.
bool isChartData(const std::filesystem::path& path);

// The title and footer lines a printed or saved chart carries.
void addTitleAndFooter(platform::BarChartModel& model, const std::string& header);

// The chart as the model holds it, drawn on a page of kTamanhoFigura.
void writeChartPicture(const std::filesystem::path& path, platform::PictureFormat format,
                       const platform::BarChartModel& model, const std::string& header);

// The lines on top, an empty line, then "Localidade" and the series titles,
// and one row per bar group: UTF-8, ";" between fields, decimal comma; a bar
// without a value is "-", never 0.
std::string chartCsv(const std::vector<std::string>& dataLines, const platform::BarChartModel& model);

// By the target's extension, in any letter case: ".png", ".svg", ".pdf" the
// chart as its window first shows it with title and footer, ".csv" its data.
// Returns the files written; throws std::runtime_error in Portuguese.
std::vector<std::filesystem::path> exportChart(const ChartData& chart, const std::filesystem::path& target);

} // namespace daxo::charts
