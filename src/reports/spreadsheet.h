#pragma once
// Report pages as a real workbook (.xlsx: numeric cells with number formats,
// the caption and census above a frozen header row, one sheet per page) and
// as CSV (UTF-8, ";" between fields, decimal comma), so spreadsheets in any
// locale read the numbers. A missing value stays "-", a share that cannot be
// computed stays an empty cell; neither becomes 0.
#include "report_grid.h"

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::reports {

struct SheetPage {
    std::string name;                     // the worksheet's name
    std::vector<std::string> topLines;    // caption, census: one cell each above the table
    const ReportGrid* grid = nullptr;
};

// Both write to a temporary name in the target folder and rename it into
// place; a failure throws std::runtime_error with a Portuguese message and
// leaves no file behind.
void writeWorkbook(const std::filesystem::path& path, const std::vector<SheetPage>& pages);
void writeCsv(const std::filesystem::path& path, const SheetPage& page);

std::string csvText(const SheetPage& page);
// A number as the CSV writes it: every digit needed to read it back, a
// decimal comma, no grouping ("16987285,6").
std::string csvNumber(double value);

} // namespace daxo::reports
