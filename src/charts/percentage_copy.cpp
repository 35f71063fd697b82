#include "percentage_copy.h"

#include "platform/data_module.h"
#include "platform/dbf_table.h"
#include "platform/file_lookup.h"
#include "platform/safe_files.h"
#include "reports/table_report.h"

#include <algorithm>
#include <cmath>
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

// Enough decimals for the smallest share to show two significant digits (a
// small municipality's share is a few thousandths), within the room the
// largest share leaves in the field.
int shareDecimals(const platform::DbfField& field, double smallest, double largest)
{
    int decimals = field.decimals;
    while (smallest > 0 && decimals < 18 && smallest * std::pow(10.0, decimals) < 10)
        ++decimals;
    const int integerDigits = largest >= 10 ? static_cast<int>(std::floor(std::log10(largest))) + 1 : 1;
    return std::max(field.decimals, std::min(decimals, field.length - 1 - integerDigits));
}

} // namespace

reports::WorkTable copiaPercentual(platform::DataModule& dm,
                                   const std::function<double(const std::string& censo)>& totalBrasil)
{
    copyWorkTable(dm.SessionDAXO.dataFolder());

    auto copy = platform::DbfTable::open(platform::findPath(dm.SessionDAXO.dataFolder() / "temper.dbf"));
    std::vector<std::string> columns;
    for (const auto& field : copy.fields())
        columns.push_back(field.name);
    const int first = reports::WorkTable{columns, {}}.firstValueColumn();
    const int censo = copy.fieldIndex("Censo");
    struct Share {
        std::size_t record;
        int column;
        platform::Value value;
    };
    std::vector<Share> shares;
    double smallest = 0, largest = 0;
    for (std::size_t r = 0; r < copy.recordCount(); ++r) {
        if (copy.isDeleted(r))
            continue;
        const double total = totalBrasil(copy.value(r, censo).asString());
        for (int c = first; c < static_cast<int>(columns.size()); ++c) {
            const double value = copy.value(r, c).asFloat();
            if (value <= 0)
                continue;
            const double share = value / total * 100;
            shares.push_back({r, c, total > 0 ? platform::Value(share) : platform::Value()});
            if (total > 0) {
                smallest = smallest > 0 ? std::min(smallest, share) : share;
                largest = std::max(largest, share);
            }
        }
    }
    for (int c = first; c < static_cast<int>(columns.size()); ++c)
        copy.setDecimals(c, shareDecimals(copy.fields()[c], smallest, largest));
    for (const auto& share : shares)
        copy.setValue(share.record, share.column, share.value);
    copy.save();
    return reports::readWorkTable(dm, kTabelaPercentual);
}

} // namespace daxo::charts
