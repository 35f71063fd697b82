#pragma once
// Runs a query from the indicator panel to the report pages on a sample
// installation, and reads back the work table and the pages written.
#include "indicators/indicator_panels.h"
#include "platform/data_module.h"
#include "query/query_runner.h"
#include "reports/html_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace daxo::test {

// Writes a sample installation with the generator (the small variant or the
// full one) into `folder`.
void generateInstallation(const std::filesystem::path& folder, bool small);
// A copy of the small installation for the running test, under `folder`;
// the installation it copies is written there once per test program.
std::filesystem::path freshSmallInstallation(const std::filesystem::path& folder);

std::string readBytes(const std::filesystem::path& path);
std::string readUtf8(const std::filesystem::path& path);
std::size_t count(const std::string& text, const std::string& what);
// The texts between `open` and `close`, in order, within [from, to).
std::vector<std::string> between(const std::string& text, const std::string& open, const std::string& close,
                                 std::size_t from = 0, std::size_t to = std::string::npos);

// Data cells start with this; their text follows up to "</p>".
inline const std::string kDataCell = R"(color="blue">)";
// The cell texts of the page's data row whose Localidade cell is `locality`.
std::vector<std::string> rowCells(const std::string& page, const std::string& locality);
std::vector<std::string> headerTitles(const std::string& page);
// A cell text such as «1.234,56» as a number.
double cellNumber(std::string text);

// What the user chose on the two wizard pages.
struct Request {
    int indicator = 0;
    std::string census = "2000";
    std::vector<std::string> boxes;          // check boxes clicked in order
    int firstAge = 0, lastAge = 0;           // age combo items, 0 for none
    std::vector<std::string> names, codes;   // chosen localities
};

// The indicator panel as the user leaves it with these choices.
indicators::IndicatorPanels choosePanels(const Request& request);
// The runner's rows of that panel.
query::RowSet chosenRows(const Request& request);

struct Report {
    reports::WorkTable table;
    std::map<std::string, std::size_t> rowOf;   // Codigo/Censo(/Idade) -> row
    std::string page, rowPage, brazilPage;
    std::string csv;                            // the values page as CSV
    std::filesystem::path workbook;             // a copy of the .xlsx, kept in the test's folder
    bool rowPageWritten = false, brazilPageWritten = false;
    std::vector<std::string> lookups;           // census + condition, in order

    const std::vector<platform::Value>& row(const std::string& key) const { return table.rows.at(rowOf.at(key)); }
    double value(const std::string& key, const std::string& column) const
    {
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            if (table.columns[c] == column)
                return row(key)[c].asFloat();
        ADD_FAILURE() << "no column " << column;
        return -1;
    }
};

class ReportRun {
public:
    explicit ReportRun(std::filesystem::path installation);
    virtual ~ReportRun() = default;

    Report run(const Request& request);

    // The value of a condition at one locality, summed over its definitions'
    // matrix columns read directly.
    double matrixValue(const std::string& census, const std::string& condition, const std::string& code);
    // The municipal matrix table of each of its definition records.
    std::vector<std::string> matrixTables(const std::string& census, const std::string& condition);
    platform::Value selectOne(const std::string& sql);
    void execute(const std::string& sql);
    // Municipality codes of a state, in table order.
    std::vector<std::string> municipalitiesOf(const std::string& uf);
    // The condition of the last run's row with this column.
    std::string condition(const std::string& column) const;

    std::filesystem::path folder;
    std::unique_ptr<platform::DataModule> dm;
    query::RowSet rows;
};

} // namespace daxo::test
