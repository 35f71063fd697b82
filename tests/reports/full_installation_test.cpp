// Reports over the full sample installation: every state, both censuses.
#include "reports/national_totals.h"
#include "report_run.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace daxo;
using namespace daxo::test;

namespace {

// ctest writes the installation once for all these tests and removes it at
// the end; run alone, the program writes it when it is missing.
const fs::path& fullInstallation()
{
    static const fs::path folder = [] {
        const fs::path f = DAXO_FULL_INSTALLATION;
        if (!fs::exists(f / "Bases" / "Indicadores2000.dbf"))
            generateInstallation(f, false);
        return f;
    }();
    return folder;
}

class FullInstallation : public ::testing::Test, public ReportRun {
protected:
    FullInstallation() : ReportRun(fullInstallation()) {}
};

} // namespace

TEST_F(FullInstallation, TypicalRequestForBahia)
{
    const auto report = run({.boxes = {"chkMasculino", "chkFeminino"}, .firstAge = 5, .lastAge = 5,
                             .names = {"Bahia"}, .codes = {"29"}});
    ASSERT_EQ(report.table.rows.size(), 1u);
    EXPECT_EQ(report.row("29/2000")[1].asString(), "BA Bahia-2000");
    for (const char* column : {"Mas", "Fem"})
        EXPECT_DOUBLE_EQ(report.value("29/2000", column), matrixValue("2000", condition(column), "29")) << column;
    EXPECT_EQ(headerTitles(report.page), (std::vector<std::string>{"Censo", "Localidade", "Homens", "Mulheres"}));
    EXPECT_EQ(rowCells(report.page, "BA Bahia").size(), 4u);
}

TEST_F(FullInstallation, StatesShareOfBrazilSumsToAHundredInEachCensus)
{
    const auto report = run({.census = "1991 e 2000", .boxes = {"chkTodos"}, .names = {"Unidade da Federação"},
                             .codes = {"12345678"}});
    reports::TotalBrasil total;
    for (const std::string census : {"1991", "2000"}) {
        const double brasil = total.CalculaTotalBrasil(census, {.indicator = 0});
        double valueSum = 0, pageSum = 0;
        int states = 0;
        for (const auto& [key, r] : report.rowOf) {
            const std::string code = key.substr(0, key.find('/'));
            if (code.size() != 2 || key.substr(key.find('/') + 1) != census)
                continue;
            ++states;
            valueSum += report.value(key, "Total");
            // Both censuses in one page: the rows come in table order.
            const auto& row = report.table.rows[r];
            const std::string label = row[1].asString();
            std::size_t seen = 0;
            for (auto p = report.brazilPage.find(kDataCell + census + "</p>"); p != std::string::npos;
                 p = report.brazilPage.find(kDataCell + census + "</p>", p + 1)) {
                const auto cells = between(report.brazilPage, kDataCell, "</p>", p, report.brazilPage.find("</tr>", p));
                if (cells.size() == 3 && cells[1] == label.substr(0, label.size() - 5)) {
                    pageSum += cellNumber(cells[2]);
                    ++seen;
                }
            }
            EXPECT_EQ(seen, 1u) << label;
        }
        EXPECT_EQ(states, 27) << census;
        EXPECT_NEAR(valueSum / brasil * 100, 100.0, 1e-9) << census;
        // Each share is rounded to two decimals.
        EXPECT_NEAR(pageSum, 100.0, 27 * 0.005) << census;
    }
}
