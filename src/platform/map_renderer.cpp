#include "map_renderer.h"

#include "dbf_table.h"

#include <algorithm>
#include <unordered_map>

namespace daxo::platform {

void ClassBreaksRenderer::setBreakCount(int count)
{
    breaks_.resize(std::max(count, 0));
    symbols_.resize(breaks_.size() + 1);
}

int ClassBreaksRenderer::classOf(double value) const
{
    for (std::size_t i = 0; i < breaks_.size(); ++i)
        if (value < breaks_[i])
            return static_cast<int>(i);
    return static_cast<int>(breaks_.size());
}

std::vector<const Symbol*> ClassBreaksRenderer::symbolsFor(const DbfTable& table) const
{
    std::vector<const Symbol*> out(table.recordCount(), nullptr);
    const int f = table.fieldIndex(field);
    if (f < 0)
        return out;
    for (std::size_t r = 0; r < out.size(); ++r) {
        const auto value = table.value(r, f).number();
        out[r] = notPositive && !(value && *value > 0) ? &*notPositive : &symbols_[classOf(value.value_or(0))];
    }
    return out;
}

void ValueMapRenderer::setValueCount(int count)
{
    values_.resize(std::max(count, 0));
    symbols_.resize(values_.size());
}

int ValueMapRenderer::indexOf(const std::string& text) const
{
    const auto it = std::find(values_.begin(), values_.end(), text);
    return it == values_.end() ? -1 : static_cast<int>(it - values_.begin());
}

std::vector<const Symbol*> ValueMapRenderer::symbolsFor(const DbfTable& table) const
{
    std::vector<const Symbol*> out(table.recordCount(), nullptr);
    const int f = table.fieldIndex(field);
    if (f < 0)
        return out;
    // One lookup table per drawing: thousands of distinct values (one per
    // municipality) would otherwise cost a search per feature.
    std::unordered_map<std::string, int> first;
    for (int i = static_cast<int>(values_.size()) - 1; i >= 0; --i)
        first[values_[i]] = i;
    for (std::size_t r = 0; r < out.size(); ++r)
        if (const auto it = first.find(table.value(r, f).asString()); it != first.end())
            out[r] = &symbols_[it->second];
    return out;
}

std::vector<const Symbol*> LabelPlacer::symbolsFor(const DbfTable& table) const
{
    return beneath ? beneath->symbolsFor(table) : std::vector<const Symbol*>(table.recordCount(), nullptr);
}

std::vector<std::string> LabelPlacer::labelsFor(const DbfTable& table) const
{
    std::vector<std::string> out(table.recordCount());
    const int f = table.fieldIndex(field);
    if (f >= 0)
        for (std::size_t r = 0; r < out.size(); ++r)
            out[r] = table.value(r, f).asString();
    return out;
}

} // namespace daxo::platform
