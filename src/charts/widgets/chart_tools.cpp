#include "charts/widgets/chart_tools.h"

namespace daxo::charts {

int alturaInicial(int larguraTela)
{
    return larguraTela <= 800 ? 491 : 496;
}

DetailHeights detailHeights(int larguraTela)
{
    if (larguraTela > 800)
        return {514, 534, 458};
    return {491, 535, 491};
}

constexpr int kHeightStep = 15;

std::vector<int> openingHeights(int larguraTela)
{
    const DetailHeights h = detailHeights(larguraTela);
    std::vector<int> heights;
    for (int height = h.openingStart; height < h.opened; height += kHeightStep)
        heights.push_back(height);
    heights.push_back(h.opened);
    return heights;
}

std::vector<int> closingHeights(int larguraTela)
{
    const DetailHeights h = detailHeights(larguraTela);
    std::vector<int> heights;
    for (int height = h.opened; height >= h.closed; height -= kHeightStep)
        heights.push_back(height);
    heights.push_back(h.closed);
    return heights;
}

SwitchButton switchButton(ChartKind kind)
{
    if (kind == ChartKind::Absolute)
        return {"%", "Expressa em Percentual"};
    return {"Número", "Expressa em números absolutos"};
}

platform::ChartColour fromBgr(unsigned value)
{
    return {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>((value >> 16) & 0xFF)};
}

std::vector<std::string> printFooter()
{
    return {"DAXO - Velmora", "Kalvoria"};
}

std::vector<platform::BarSeries> toBarSeries(const std::vector<ChartSeries>& series)
{
    std::vector<platform::BarSeries> bars;
    for (const auto& s : series)
        bars.push_back({.title = s.title,
                        .colour = {s.colour.red, s.colour.green, s.colour.blue},
                        .labels = s.labels,
                        .values = s.values,
                        .arrowLength = s.arrowLength});
    return bars;
}

void ChartTools::zoom(double percent)
{
    model_.zoomPercent(percent);
    normalEnabled_ = true;
}

void ChartTools::scrollHorizontal(double percent)
{
    model_.scrollHorizontal(percent);
    normalEnabled_ = true;
}

void ChartTools::scrollVertical(double percent)
{
    model_.scrollVertical(percent);
    normalEnabled_ = true;
}

void ChartTools::normal()
{
    model_.undoZoom();
    normalEnabled_ = false;
}

void ChartTools::set3D(bool on)
{
    model_.view.enabled = on;
}

void ChartTools::setRotation(int position)
{
    if (!is3D())
        return;
    model_.view.rotation = position;
    model_.view.orthogonal = false;
}

void ChartTools::setDepth(int percent)
{
    if (is3D())
        model_.view.depthPercent = percent;
}

void ChartTools::toggleMarks()
{
    marksOn_ = !marksOn_;
    model_.setMarksVisible(marksOn_);
}

void ChartTools::nextLegendPosition()
{
    model_.legendPosition = platform::nextLegendPosition(model_.legendPosition);
}

int ChartTools::exchangeAndShowMarks(int index, int other)
{
    model_.setMarksVisible(false);
    const bool inside = index >= 0 && other >= 0 && index < model_.seriesCount() && other < model_.seriesCount();
    if (inside)
        model_.exchangeSeries(index, other);
    model_.setMarksVisible(true);
    marksOn_ = true;
    return inside ? other : index;
}

int ChartTools::moveLater(int index)
{
    return exchangeAndShowMarks(index, index + 1);
}

int ChartTools::moveEarlier(int index)
{
    return exchangeAndShowMarks(index, index - 1);
}

void ChartTools::setLayout(int index, platform::BarLayout layout)
{
    if (index >= 0 && index < model_.seriesCount())
        model_.seriesAt(index).layout = layout;
}

std::vector<std::string> ChartTools::seriesTitles() const
{
    std::vector<std::string> titles;
    for (const auto& s : model_.series())
        titles.push_back(s.title);
    return titles;
}

} // namespace daxo::charts
