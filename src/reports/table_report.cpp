#include "table_report.h"

#include "platform/data_module.h"
#include "platform/safe_files.h"
#include "platform/text_codec.h"
#include "report_grid.h"
#include "report_names.h"
#include "spreadsheet.h"

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace daxo::reports {

namespace {

namespace fs = std::filesystem;

constexpr int kAttempts = 5;

struct GridPage {
    std::string suffix;   // of the base name: "", "p", "pb"
    std::string sheet;    // the worksheet's name
    std::string unit;     // after the caption
    std::optional<Percentage> kind;   // none for the values
    ReportGrid grid;
};

// The files of one report number, each under a temporary name until all
// are complete.
class PendingReport {
public:
    platform::PendingFile& add(fs::path file)
    {
        names_.push_back(file);
        files_.emplace_back(std::move(file));
        return files_.back();
    }
    // Renames every file into place; when one fails, those already in place go.
    std::vector<fs::path> commit()
    {
        for (std::size_t i = 0; i < files_.size(); ++i) {
            try {
                files_[i].commit();
            } catch (const platform::FileError&) {
                for (std::size_t done = 0; done < i; ++done) {
                    std::error_code ignored;
                    fs::remove(names_[done], ignored);
                }
                throw;
            }
        }
        return names_;
    }

private:
    std::vector<fs::path> names_;
    std::vector<platform::PendingFile> files_;
};

std::vector<fs::path> writeReport(const TableReportJob& job, const WorkTable& table,
                                  const std::vector<GridPage>& grids)
{
    const auto& c = job.context;
    const auto file = [&](const GridPage& g, const char* extension) {
        return job.programFolder / (c.baseName + g.suffix + extension);
    };
    PendingReport report;
    if (job.formats.pages) {
        for (const auto& g : grids) {
            const ReportFiles files = g.kind ? percentagePages(c, *g.kind, g.grid) : valuePages(c, table, g.grid);
            report.add(file(g, ".html")).write(platform::utf8ToCp1252(files.page));
            report.add(file(g, ".xls")).write(platform::utf8ToCp1252(files.sheet));
        }
    }
    std::vector<SheetPage> sheets;
    for (const auto& g : grids) {
        SheetPage page{g.sheet,
                       sheetTopLines(c.caption, g.unit, c.census,
                                     c.indicator == 14 ? std::optional(c.migrationOrigin) : std::nullopt),
                       &g.grid};
        if (job.formats.csv)
            report.add(file(g, ".csv")).write(csvText(page));
        sheets.push_back(std::move(page));
    }
    if (job.formats.workbook)
        writeWorkbook(report.add(job.programFolder / (c.baseName + ".xlsx")), sheets);
    return report.commit();
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
    const int n = job.context.indicator;
    const auto brazil = [&](const std::string& censo) { return totalBrasil.CalculaTotalBrasil(censo, job.totalChoice); };

    ReportOutput output;
    std::vector<GridPage> grids;
    std::string reason;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        job.context.baseName = stem + std::to_string(++numeroRelatorio);
        const auto& c = job.context;
        grids = {};
        grids.push_back({"", "Valores", "", std::nullopt, valueGrid(c, table)});
        if (table.hasTotalColumn() && hasRowPercentagePage(n))
            grids.push_back({"p", "Percentual por linha", " em %", Percentage::Row,
                             percentageGrid(c, table, Percentage::Row, {})});
        if (hasBrazilPercentagePage(n))
            grids.push_back({"pb", "Percentual do Brasil", kUnidadePercentualBrasil, Percentage::Brazil,
                             percentageGrid(c, table, Percentage::Brazil, brazil)});
        try {
            output.files = writeReport(job, table, grids);
            reason.clear();
            break;
        } catch (const platform::FileError& e) {
            reason = e.reason();
        }
    }
    if (!reason.empty())
        throw std::runtime_error("Não foi possível gravar o relatório na pasta " + job.programFolder.string() +
                                 ": " + reason + ".");
    output.page = job.programFolder / (job.context.baseName + ".html");
    if (job.formats.pages && job.openPage)
        for (const auto& g : grids)
            job.openPage(job.programFolder / (job.context.baseName + g.suffix + ".html"));
    return output;
}

} // namespace daxo::reports
