#pragma once
// Report pages as a real workbook (.xlsx: numeric cells with number formats,
// the caption and census above a frozen header row, one sheet per page) and
// as CSV (UTF-8, ";" between fields, decimal comma), so spreadsheets in any
// locale read the numbers. A missing value stays "-", a share that cannot be
// computed stays an empty cell; neither becomes 0.
#include "platform/safe_files.h"
#include "report_grid.h"

#include <optional>
#include <string>
#include <vector>

namespace daxo::reports {

struct SheetPage {
    std::string name;                     // the worksheet's name
    std::vector<std::string> topLines;    // caption, census: one cell each above the table
    const ReportGrid* grid = nullptr;
};

// The unit after the caption of the values as percentages of Brazil.
inline constexpr const char* kUnidadePercentualBrasil = " em relação ao Brasil %";

// The lines above a sheet's table: the caption followed by the page's unit,
// the census and, for the migration indicator, where the migrants came from.
std::vector<std::string> sheetTopLines(const std::string& caption, const std::string& unit, const std::string& census,
                                       const std::optional<std::string>& migrationOrigin);

// Writes the workbook under the file's temporary name; the caller puts it in
// place. Throws platform::FileError.
void writeWorkbook(platform::PendingFile& file, const std::vector<SheetPage>& pages);

std::string csvText(const SheetPage& page);
// A number as the CSV writes it: every digit needed to read it back, a
// decimal comma, no grouping ("16987285,6").
std::string csvNumber(double value);

} // namespace daxo::reports
