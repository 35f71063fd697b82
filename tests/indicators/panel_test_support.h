#pragma once
#include "app/refusal.h"
#include "indicators/indicator_panels.h"

#include <functional>
#include <string>

namespace daxo::indicators::test {

// The message of the refusal the action raises, "" when it passes.
inline std::string refusalOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const daxo::app::Refusal& refusal) {
        return refusal.what();
    }
    return "";
}

// A page bound to `indicator` under `census`, as the wizard leaves it.
inline IndicatorPanels boundPage(int indicator, const std::string& census = "2000")
{
    IndicatorPanels page;
    page.setCensus(census);
    page.chooseIndicator(indicator);
    return page;
}

inline int itemOf(const IndicatorPanels& page, const std::string& combo, const std::string& text)
{
    const Control* c = page.find(combo);
    for (std::size_t i = 0; c && i < c->items.size(); ++i)
        if (c->items[i] == text) return static_cast<int>(i);
    return -2;
}

// The user picks the age range by the texts of the two lists.
inline void chooseAges(IndicatorPanels& page, const std::string& first, const std::string& last)
{
    page.selectComboItem("cbFaixaInicialPopulacao", itemOf(page, "cbFaixaInicialPopulacao", first));
    page.selectComboItem("cbFaixaFinalPopulacao", itemOf(page, "cbFaixaFinalPopulacao", last));
}

} // namespace daxo::indicators::test
