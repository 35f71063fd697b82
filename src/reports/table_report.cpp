#include "table_report.h"

#include "platform/data_module.h"
#include "platform/text_codec.h"
#include "report_grid.h"
#include "report_names.h"
#include "spreadsheet.h"

#include <fstream>
#include <stdexcept>

namespace daxo::reports {

namespace {

constexpr int kAttempts = 5;

// Replaces the file whole; false when it cannot be written.
bool writeFile(const std::filesystem::path& path, const std::string& utf8)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = daxo::platform::utf8ToCp1252(utf8);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out.good();
}

// Both files or neither: a page whose worksheet failed is not left behind.
bool writePair(const std::filesystem::path& folder, const std::string& name, const ReportFiles& files)
{
    const auto page = folder / (name + ".html");
    if (!writeFile(page, files.page))
        return false;
    if (writeFile(folder / (name + ".xls"), files.sheet))
        return true;
    std::error_code ignored;
    std::filesystem::remove(page, ignored);
    return false;
}

[[noreturn]] void cannotWrite(const std::filesystem::path& folder)
{
    throw std::runtime_error("Não foi possível gravar o relatório na pasta " + folder.string() +
                             ". Verifique se há permissão de escrita e espaço em disco.");
}

// The page pair of one grid, tried a few times.
void writePercentagePage(const TableReportJob& job, const std::string& name, const ReportFiles& files,
                         ReportOutput& output)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (writePair(job.programFolder, name, files)) {
            output.files.push_back(job.programFolder / (name + ".html"));
            output.files.push_back(job.programFolder / (name + ".xls"));
            if (job.openPage)
                job.openPage(job.programFolder / (name + ".html"));
            return;
        }
    }
    cannotWrite(job.programFolder);
}

struct GridPage {
    std::string suffix;   // of the base name: "", "p", "pb"
    std::string sheet;    // the worksheet's name
    std::string unit;     // after the caption
    ReportGrid grid;
};

void writeSpreadsheets(const TableReportJob& job, const std::vector<GridPage>& grids, ReportOutput& output)
{
    const auto& c = job.context;
    std::vector<SheetPage> pages;
    for (const auto& g : grids) {
        SheetPage page{g.sheet, {"Filtro: " + c.caption + g.unit, "Censo: " + c.census}, &g.grid};
        if (c.indicator == 14)
            page.topLines.push_back("Do " + c.migrationOrigin);
        if (job.formats.csv) {
            const auto csv = job.programFolder / (c.baseName + g.suffix + ".csv");
            writeCsv(csv, page);
            output.files.push_back(csv);
        }
        pages.push_back(std::move(page));
    }
    if (job.formats.workbook) {
        const auto book = job.programFolder / (c.baseName + ".xlsx");
        writeWorkbook(book, pages);
        output.files.push_back(book);
    }
}

} // namespace

WorkTable readWorkTable(daxo::platform::DataModule& dm, const std::string& tableName)
{
    auto& q = dm.Query1;
    q.close();
    q.clearSql();
    q.addLine(" SELECT * FROM " + tableName + " ");
    q.open();
    WorkTable table;
    for (int i = 0; i < q.fieldCount(); ++i)
        table.columns.push_back(q.fieldName(i));
    for (q.first(); !q.eof(); q.next()) {
        std::vector<daxo::platform::Value> row;
        for (int i = 0; i < q.fieldCount(); ++i)
            row.push_back(q.field(i));
        table.rows.push_back(std::move(row));
    }
    q.close();
    return table;
}

ReportOutput MontaRelatorio(daxo::platform::DataModule& dm, TableReportJob job, int& numeroRelatorio,
                            TotalBrasil& totalBrasil)
{
    const WorkTable table = readWorkTable(dm);
    const std::string stem = LimpaNomeArquivo(job.context.indicatorText);
    const auto named = [&] { job.context.baseName = stem + std::to_string(++numeroRelatorio); };

    ReportOutput output;
    std::vector<GridPage> grids;
    grids.push_back({"", "Valores", "", valueGrid(job.context, table)});
    if (job.formats.pages) {
        bool written = false;
        for (int attempt = 0; attempt < kAttempts && !written; ++attempt) {
            named();
            written = writePair(job.programFolder, job.context.baseName,
                                valuePages(job.context, table, grids.back().grid));
        }
        if (!written)
            cannotWrite(job.programFolder);
    } else {
        named();
    }
    output.page = job.programFolder / (job.context.baseName + ".html");
    if (job.formats.pages) {
        output.files = {output.page, job.programFolder / (job.context.baseName + ".xls")};
        if (job.openPage)
            job.openPage(output.page);
    }

    const int n = job.context.indicator;
    const auto percentages = [&](Percentage kind, const std::string& suffix, const std::string& sheet,
                                 const std::string& unit, const std::function<double(const std::string&)>& total) {
        grids.push_back({suffix, sheet, unit, percentageGrid(job.context, table, kind, total)});
        if (job.formats.pages)
            writePercentagePage(job, job.context.baseName + suffix, percentagePages(job.context, kind, grids.back().grid),
                                output);
    };
    if (table.hasTotalColumn() && hasRowPercentagePage(n))
        percentages(Percentage::Row, "p", "Percentual por linha", " em %", {});
    if (hasBrazilPercentagePage(n))
        percentages(Percentage::Brazil, "pb", "Percentual do Brasil", " em relação ao Brasil %",
                    [&](const std::string& censo) { return totalBrasil.CalculaTotalBrasil(censo, job.totalChoice); });
    writeSpreadsheets(job, grids, output);
    return output;
}

} // namespace daxo::reports
