#pragma once
// Keeps a table report beyond the exit clean-up: the workbook, the CSV of the
// values, or the pages with their worksheets and the pictures they show,
// copied where the user chooses.
#include "table_report.h"

#include <filesystem>
#include <string>
#include <vector>

namespace daxo::reports {

// The pictures the pages reference, installed in the program folder.
inline const std::vector<std::string> kPageImages = {"fundo_1024_final.jpg", "logo-DAXO-inf.jpg", "excel.bmp",
                                                     "imprime.bmp"};

// By the target's extension: ".xlsx" the workbook, ".csv" the values CSV,
// ".html" the main page under that name beside every page, worksheet and
// picture of the report under their own names (the links stay valid).
// Returns the files written; throws std::runtime_error in Portuguese.
std::vector<std::filesystem::path> exportReport(const ReportOutput& report, const std::filesystem::path& programFolder,
                                                const std::filesystem::path& target);

// The pictures of the pages copied into `folder` (nothing when it is the
// program folder); returns the files written.
std::vector<std::filesystem::path> copyPageImages(const std::filesystem::path& programFolder,
                                                  const std::filesystem::path& folder);

} // namespace daxo::reports
