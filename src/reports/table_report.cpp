#include "table_report.h"

#include "platform/data_module.h"
#include "platform/text_codec.h"
#include "report_names.h"

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

void writePercentagePage(const TableReportJob& job, const std::string& name, const ReportFiles& files)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (writePair(job.programFolder, name, files)) {
            if (job.openPage)
                job.openPage(job.programFolder / (name + ".html"));
            return;
        }
    }
    cannotWrite(job.programFolder);
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

std::filesystem::path MontaRelatorio(daxo::platform::DataModule& dm, TableReportJob job, int& numeroRelatorio,
                                     TotalBrasil& totalBrasil)
{
    const WorkTable table = readWorkTable(dm);
    const std::string stem = LimpaNomeArquivo(job.context.indicatorText);

    bool written = false;
    for (int attempt = 0; attempt < kAttempts && !written; ++attempt) {
        ++numeroRelatorio;
        job.context.baseName = stem + std::to_string(numeroRelatorio);
        written = writePair(job.programFolder, job.context.baseName, MontaHTML(job.context, table));
    }
    if (!written)
        cannotWrite(job.programFolder);
    const auto page = job.programFolder / (job.context.baseName + ".html");
    if (job.openPage)
        job.openPage(page);

    const int n = job.context.indicator;
    if (table.hasTotalColumn() && hasRowPercentagePage(n))
        writePercentagePage(job, job.context.baseName + "p", MontaHTMLPercentual(job.context, table));
    if (hasBrazilPercentagePage(n)) {
        const auto total = [&](const std::string& censo) {
            return totalBrasil.CalculaTotalBrasil(censo, job.totalChoice);
        };
        writePercentagePage(job, job.context.baseName + "pb", MontaHTMLPercentualBrasil(job.context, table, total));
    }
    return page;
}

} // namespace daxo::reports
