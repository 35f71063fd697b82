#pragma once
// The table output: reads the work table, writes the report page, its
// worksheet and the percentage pages into the program folder, and opens them.
#include "html_report.h"
#include "national_totals.h"

#include <filesystem>
#include <functional>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::reports {

struct TableReportJob {
    ReportContext context;                 // baseName is filled here
    NationalTotalChoice totalChoice;
    std::filesystem::path programFolder;
    std::function<void(const std::filesystem::path&)> openPage;   // the desktop's "open"
};

// The work table TEMP, or another table of the same layout (the chart copy).
WorkTable readWorkTable(daxo::platform::DataModule& dm, const std::string& tableName = "TEMP");

// Advances `numeroRelatorio` for every attempt; a page that cannot be written
// is tried again a few times (under the next number for the main report),
// then the error names the folder. Returns the main page's path.
std::filesystem::path MontaRelatorio(daxo::platform::DataModule& dm, TableReportJob job, int& numeroRelatorio,
                                     TotalBrasil& totalBrasil);

} // namespace daxo::reports
