#pragma once
// The table output: reads the work table, writes the report page, its
// worksheet and the percentage pages into the program folder, and opens them.
#include "html_report.h"
#include "national_totals.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::reports {

// What a report writes: the pages with their worksheets (and opens them),
// the workbook of all pages, a CSV file per page.
struct ReportFormats {
    bool pages = true;
    bool workbook = true;
    bool csv = true;
};

struct TableReportJob {
    ReportContext context;                 // baseName is filled here
    NationalTotalChoice totalChoice;
    std::filesystem::path programFolder;
    std::function<void(const std::filesystem::path&)> openPage;   // the desktop's "open"
    ReportFormats formats;
};

struct ReportOutput {
    std::filesystem::path page;                 // the main page (or what it would be named)
    std::vector<std::filesystem::path> files;   // every file written, in order
};

// The work table TEMP, or another table of the same layout (the chart copy).
WorkTable readWorkTable(daxo::platform::DataModule& dm, const std::string& tableName = "TEMP");

// Advances `numeroRelatorio` for every attempt. Every file of one number
// (pages, worksheets, CSV files, workbook) appears together or not at all;
// when they cannot be written they are tried again a few times under the
// next number, then the error names the folder and the reason. The pages
// are opened once all are in place.
ReportOutput MontaRelatorio(daxo::platform::DataModule& dm, TableReportJob job, int& numeroRelatorio,
                            TotalBrasil& totalBrasil);

} // namespace daxo::reports
