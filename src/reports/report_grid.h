#pragma once
// The cells of one report page, read once from the work table: the page, its
// worksheet, the workbook and the CSV files are all written from them.
#include "html_report.h"

#include <functional>
#include <string>
#include <vector>

namespace daxo::reports {

struct GridCell {
    enum class Kind {
        Text,      // a name, a census, an age range
        Number,    // `number` holds the value the page shows as `shown`
        Missing,   // no value in the work table
        NoShare,   // a positive value whose base is missing: no percentage exists
    };
    Kind kind = Kind::Text;
    std::string shown;   // the page's cell text
    double number = 0;
};

struct ReportGrid {
    std::vector<std::string> headers;
    // Spreadsheet number format of each column; empty for text columns and
    // for values shown in their plain form.
    std::vector<std::string> numberFormats;
    std::vector<std::vector<GridCell>> rows;
};

ReportGrid valueGrid(const ReportContext& context, const WorkTable& table);
// `totalBrasil` is asked once per row, in order, for the row's census.
ReportGrid percentageGrid(const ReportContext& context, const WorkTable& table, Percentage kind,
                          const std::function<double(const std::string& censo)>& totalBrasil);

} // namespace daxo::reports
