#include "report_grid.h"

#include "platform/formats.h"
#include "report_names.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace daxo::reports {

using daxo::platform::Value;

namespace {

const char* const kPercentFormat = "#,##0.00";

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

GridCell text(std::string shown) { return {GridCell::Kind::Text, std::move(shown), 0}; }

// The titles of the page's header row, with the text columns' formats.
ReportGrid headed(const ReportContext& context, const WorkTable& table, bool withAge)
{
    ReportGrid grid;
    grid.headers = {"Censo", "Localidade"};
    if (withAge)
        grid.headers.push_back("Faixa Etária");
    grid.numberFormats.assign(grid.headers.size(), "");
    // The label variable is reused from column to column, as the lookup leaves
    // it unchanged for a column no row has.
    std::string label;
    for (std::size_t c = table.firstValueColumn(); c < table.columns.size(); ++c) {
        if (context.buscaRotulo)
            context.buscaRotulo(table.columns[c], label);
        grid.headers.push_back(label);
    }
    return grid;
}

// Counts are whole numbers in the census tables; a column holding a fraction
// keeps the page's three decimals.
std::string countFormat(const WorkTable& table, std::size_t column)
{
    const bool whole = std::all_of(table.rows.begin(), table.rows.end(), [&](const auto& row) {
        const double v = row[column].asFloat();
        return std::floor(v) == v;
    });
    return whole ? "#,##0" : "#,##0.###";
}

} // namespace

ReportGrid valueGrid(const ReportContext& context, const WorkTable& table)
{
    const bool ageLayout = table.hasAgeColumn();
    const bool count = isCountIndicator(context.indicator);
    ReportGrid grid = headed(context, table, ageLayout);
    for (std::size_t c = table.firstValueColumn(); c < table.columns.size(); ++c)
        grid.numberFormats.push_back(ageLayout ? "" : count ? countFormat(table, c) : kPercentFormat);

    for (const auto& row : table.rows) {
        std::vector<GridCell> cells{text(row[0].asString()), text(TiraCenso(row[1].asString()))};
        if (ageLayout)
            cells.push_back(text(row[2].asString()));
        for (std::size_t c = table.firstValueColumn(); c < table.columns.size(); ++c) {
            if (row[c].isNull()) {
                cells.push_back({GridCell::Kind::Missing, "-", 0});
                continue;
            }
            const double v = row[c].asFloat();
            cells.push_back({GridCell::Kind::Number,
                             ageLayout ? daxo::platform::floatToText(v)
                                       : daxo::platform::formatFloat(count ? "###,###.###" : "###,##0.00", v),
                             v});
        }
        grid.rows.push_back(std::move(cells));
    }
    return grid;
}

ReportGrid percentageGrid(const ReportContext& context, const WorkTable& table, Percentage kind,
                          const std::function<double(const std::string& censo)>& totalBrasil)
{
    ReportGrid grid = headed(context, table, false);
    grid.numberFormats.resize(grid.headers.size(), kPercentFormat);

    const auto isTotal = [&](std::size_t c) { return upper(table.columns[c]) == "TOTAL"; };
    for (const auto& row : table.rows) {
        double base = 0;
        if (kind == Percentage::Row) {
            for (std::size_t c = 0; c < table.columns.size(); ++c)
                if (isTotal(c))
                    base = row[c].asFloat();
        } else {
            base = totalBrasil(row[0].asString());
        }
        std::vector<GridCell> cells{text(row[0].asString()), text(TiraCenso(row[1].asString()))};
        for (std::size_t c = table.firstValueColumn(); c < table.columns.size(); ++c) {
            const double v = row[c].asFloat();
            // A share of a missing or zero base would be no number at all.
            if (v > 0 && base > 0)
                cells.push_back({GridCell::Kind::Number, daxo::platform::formatFloat("###,##0.00", v / base * 100),
                                 v / base * 100});
            else if (v > 0)
                cells.push_back({GridCell::Kind::NoShare, "-", 0});
            else
                cells.push_back({row[c].isNull() ? GridCell::Kind::Missing : GridCell::Kind::Number, "0.00", 0});
        }
        grid.rows.push_back(std::move(cells));
    }
    return grid;
}

} // namespace daxo::reports
