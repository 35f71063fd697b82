#include "charts/widgets/chart_export.h"

#include "charts/widgets/chart_tools.h"
#include "platform/bar_chart.h"
#include "platform/safe_files.h"
#include "reports/spreadsheet.h"

#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace daxo::charts {

namespace {

// A group label's lines ("Bahia\r2000\r15 a 17 anos") on one line of a cell.
std::string oneLine(const std::string& label)
{
    std::string line;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] != '\r' && label[i] != '\n')
            line += label[i];
        else if (i + 1 < label.size() && !(label[i] == '\r' && label[i + 1] == '\n'))
            line += " - ";
    }
    return line;
}

} // namespace

bool isChartData(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".csv";
}

QStringList chartFileFilters()
{
    return {"Figura PNG (*.png)", "Figura SVG (*.svg)", "Documento PDF (*.pdf)", "Dados do gráfico (*.csv)"};
}

void addTitleAndFooter(platform::BarChartModel& model, const std::string& header)
{
    model.titleLines = {header};
    model.titleColour = fromBgr(kCorTitulo);
    model.footerLines = printFooter();
}

void writeChartPicture(const std::filesystem::path& path, platform::PictureFormat format,
                       const platform::BarChartModel& model, const std::string& header)
{
    platform::writePicture(path, format, kTamanhoFigura, oneLine(header), [&model](QPainter& painter) {
        // A margin, as a page printed from it would have.
        constexpr double margin = 16;
        platform::paintBarChart(painter, QRectF(QPointF(0, 0), QSizeF(kTamanhoFigura)).adjusted(margin, margin, -margin, -margin),
                                model);
    });
}

std::string chartCsv(const std::vector<std::string>& dataLines, const platform::BarChartModel& model)
{
    reports::ReportGrid grid;
    grid.headers.push_back("Localidade");
    for (const auto& s : model.series())
        grid.headers.push_back(s.title);
    for (int category = 0; category < model.categoryCount(); ++category) {
        std::vector<reports::GridCell> row = {{.shown = oneLine(model.categoryLabel(category))}};
        for (const auto& s : model.series()) {
            const auto value = category < static_cast<int>(s.values.size()) ? s.values[category] : std::nullopt;
            row.push_back(value ? reports::GridCell{.kind = reports::GridCell::Kind::Number, .number = *value}
                                : reports::GridCell{.kind = reports::GridCell::Kind::Missing});
        }
        grid.rows.push_back(std::move(row));
    }
    return reports::csvText({.name = "Gráfico", .topLines = dataLines, .grid = &grid});
}

std::vector<std::filesystem::path> exportChart(const ChartData& chart, const std::filesystem::path& target)
{
    platform::BarChartModel model;
    model.setSeries(toBarSeries(chart.series));
    if (isChartData(target)) {
        platform::writeFileSafely(target, chartCsv(chart.dataLines, model));
    } else if (const auto format = platform::pictureFormatOf(target)) {
        addTitleAndFooter(model, chart.header);
        writeChartPicture(target, *format, model, chart.header);
    } else {
        throw std::runtime_error("Escolha um arquivo .png, .svg, .pdf ou .csv para exportar o gráfico.");
    }
    return {target};
}

} // namespace daxo::charts
