#include "percentage_copy.h"

#include "platform/data_module.h"
#include "platform/file_lookup.h"
#include "platform/safe_files.h"
#include "reports/table_report.h"

#include <stdexcept>

namespace daxo::charts {

namespace fs = std::filesystem;

namespace {

void copyWorkTable(const fs::path& bases)
{
    const fs::path from = platform::findPath(bases / "temp.dbf");
    const fs::path to = platform::findPath(bases / "temper.dbf");
    try {
        platform::copyFileSafely(from, to);
    } catch (const platform::FileError& e) {
        throw std::runtime_error("Não foi possível copiar a tabela de trabalho " + from.string() + " para " +
                                 to.string() + ": " + e.reason() + ".");
    }
}

} // namespace

reports::WorkTable copiaPercentual(platform::DataModule& dm,
                                   const std::function<double(const std::string& censo)>& totalBrasil)
{
    copyWorkTable(dm.SessionDAXO.dataFolder());

    auto& q = dm.qryTemp;
    q.close();
    q.clearSql();
    q.addLine(std::string("SELECT * FROM ") + kTabelaPercentual);
    q.open();
    try {
        std::vector<std::string> columns;
        for (int i = 0; i < q.fieldCount(); ++i)
            columns.push_back(q.fieldName(i));
        const int first = reports::WorkTable{columns, {}}.firstValueColumn();
        for (q.first(); !q.eof(); q.next()) {
            const double total = totalBrasil(q.field("Censo").asString());
            q.edit();
            for (int c = first; c < q.fieldCount(); ++c) {
                const double value = q.field(c).asFloat();
                if (value <= 0)
                    continue;
                q.setField(columns[c], total > 0 ? platform::Value(value / total * 100) : platform::Value());
            }
            q.post();
        }
    } catch (...) {
        q.close();
        throw;
    }
    q.close();
    return reports::readWorkTable(dm, kTabelaPercentual);
}

} // namespace daxo::charts
