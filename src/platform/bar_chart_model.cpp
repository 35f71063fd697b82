#include "platform/bar_chart_model.h"

#include "platform/formats.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace daxo::platform {

LegendPosition nextLegendPosition(LegendPosition position)
{
    switch (position) {
    case LegendPosition::Left: return LegendPosition::Top;
    case LegendPosition::Top: return LegendPosition::Right;
    case LegendPosition::Right: return LegendPosition::Bottom;
    case LegendPosition::Bottom: return LegendPosition::Left;
    }
    return LegendPosition::Left;
}

namespace {

// The fewest decimals (at most six) that write `value` as it is.
int decimalsOf(double value)
{
    int decimals = 0;
    for (double scaled = std::fabs(value); decimals < 6; ++decimals, scaled *= 10)
        if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled))
            break;
    return decimals;
}

} // namespace

void BarChartModel::setSeries(std::vector<BarSeries> series)
{
    series_ = std::move(series);
    markDecimals_ = 0;
    for (const auto& s : series_)
        for (const auto& v : s.values)
            if (v && std::isfinite(*v))
                markDecimals_ = std::max(markDecimals_, decimalsOf(*v));
}

std::string BarChartModel::markText(double value) const
{
    return chartNumber(value, markDecimals_);
}

int BarChartModel::categoryCount() const
{
    std::size_t count = 0;
    for (const auto& s : series_)
        count = std::max({count, s.values.size(), s.labels.size()});
    return static_cast<int>(count);
}

std::string BarChartModel::categoryLabel(int category) const
{
    for (const auto& s : series_)
        if (category >= 0 && category < static_cast<int>(s.labels.size()))
            return s.labels[category];
    return {};
}

void BarChartModel::exchangeSeries(int first, int second)
{
    if (first < 0 || second < 0 || first >= seriesCount() || second >= seriesCount())
        throw std::out_of_range("série inexistente no gráfico");
    std::swap(series_[first], series_[second]);
}

void BarChartModel::setMarksVisible(bool visible)
{
    for (auto& s : series_)
        s.marksVisible = visible;
}

double niceStep(double span, int wanted)
{
    if (!(span > 0) || wanted < 1)
        return 1;
    const double raw = span / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

AxisRange BarChartModel::automaticRange(Axis axis) const
{
    switch (axis) {
    case Axis::Top:
    case Axis::Bottom:
        return {-0.5, std::max(1, categoryCount()) - 0.5};
    case Axis::Depth:
        return {0, static_cast<double>(std::max(1, seriesCount()))};
    case Axis::Left:
    case Axis::Right:
        break;
    }
    double low = 0, high = 0;
    for (const auto& s : series_)
        for (const auto& v : s.values)
            if (v && std::isfinite(*v)) {
                low = std::min(low, *v);
                high = std::max(high, *v);
            }
    if (high == low)
        return {low, low + 1};
    const double step = niceStep(high - low, 8);
    // Marks of negative bars hang below them: two steps of room.
    const double room = low < 0 ? 2 * step : 0;
    return {std::floor(low / step) * step - room, std::ceil(high / step) * step};
}

AxisRange BarChartModel::range(Axis axis) const
{
    const auto& manual = manual_[slot(axis)];
    return manual ? *manual : automaticRange(axis);
}

bool BarChartModel::isAutomatic(Axis axis) const
{
    return !manual_[slot(axis)].has_value();
}

void BarChartModel::setRange(Axis axis, AxisRange range)
{
    manual_[slot(axis)] = range;
}

void BarChartModel::zoomPercent(double q)
{
    for (Axis axis : {Axis::Left, Axis::Right, Axis::Top, Axis::Bottom}) {
        const AxisRange r = range(axis);
        const double d = (r.maximum - r.minimum) * (q - 100) / 100;
        setRange(axis, {r.minimum + d, r.maximum - d});
    }
}

void BarChartModel::zoomAbout(double horizontalFraction, double verticalFraction, double factor)
{
    for (Axis axis : {Axis::Left, Axis::Right, Axis::Top, Axis::Bottom}) {
        const AxisRange r = range(axis);
        const double fraction = axis == Axis::Left || axis == Axis::Right ? verticalFraction : horizontalFraction;
        const double anchor = r.minimum + fraction * (r.maximum - r.minimum);
        setRange(axis, {anchor - (anchor - r.minimum) * factor, anchor + (r.maximum - anchor) * factor});
    }
}

void BarChartModel::scroll(Axis first, Axis second, double p)
{
    for (Axis axis : {first, second}) {
        const AxisRange r = range(axis);
        const double amount = (r.maximum - r.minimum) * p / 100;
        setRange(axis, {r.minimum + amount, r.maximum + amount});
    }
}

void BarChartModel::scrollHorizontal(double p)
{
    scroll(Axis::Top, Axis::Bottom, p);
}

void BarChartModel::scrollVertical(double p)
{
    scroll(Axis::Left, Axis::Right, p);
}

void BarChartModel::undoZoom()
{
    for (auto& manual : manual_)
        manual.reset();
}

std::string BarChartModel::describeBar(BarPlace bar) const
{
    // The label's lines on one line.
    std::string locality;
    for (char c : categoryLabel(bar.category))
        if (c != '\r' && c != '\n')
            locality += c;
        else if (!locality.empty() && locality.back() != ' ')
            locality += ' ';
    const auto& value = series_.at(bar.series).values.at(bar.category);
    return "Série: " + series_[bar.series].title + "\nLocalidade: " + locality +
           "\nValor: " + (value ? formatFloat("#,##0.##############", *value) : "");
}

namespace {
std::string signedNumber(const std::string& picture, double value)
{
    const std::string text = formatFloat(picture, std::fabs(value));
    return value < 0 && text.find_first_not_of("0,.") != std::string::npos ? "-" + text : text;
}
} // namespace

std::string chartNumber(double value) { return signedNumber("#,##0.###", value); }

std::string chartNumber(double value, int decimals)
{
    return signedNumber(decimals > 0 ? "#,##0." + std::string(decimals, '0') : "#,##0", value);
}

} // namespace daxo::platform
