#include "bulk_insert.h"

#include "locality_clauses.h"

namespace daxo::query {

std::vector<std::string> bulkInsertLines(int census, const std::string& insertHead,
                                         const std::string& selectList, const std::string& table,
                                         const WholeLevels& f)
{
    using namespace clause;
    const bool is1991 = census == 1991;
    std::vector<std::string> lines;
    auto add = [&lines](std::initializer_list<std::string> more) {
        lines.insert(lines.end(), more);
    };

    // The join condition decides which records receive a state abbreviation.
    add({insertHead + ")" + selectList + " from " + table + ufJoin()});
    if (is1991)
        add({regionOut(), regionUrbanOut(), regionRuralOut(), nationalOut()});
    else
        add({regionOut53(), regionUrbanOut53(), regionRuralOut53(), nationalOut()});

    // The where lines select the records.
    if (f.todosMunicipios) {
        if (!f.todasRegioes)
            add({whereRegionOut53(), regionUrbanOut53(), regionRuralOut53(), nationalOut()});
        if (!f.todasUFs) {
            add({f.todasRegioes ? where() : and_(), stateOut(), stateUrbanOut(), stateRuralOut()});
            if (!f.temBrasil)
                add({nationalOut()});
        }
        if (!f.temBrasil)
            add({f.todasRegioes && f.todasUFs ? where() : and_(), nationalOut2()});
    }
    if (f.todasRegioes && !f.todosMunicipios) {
        if (f.todasUFs) {
            if (is1991)
                add({whereRegion(), regionUrban53(), regionRural53(), state(), stateUrban(), stateRural()});
            else
                add({whereRegion53(), regionUrban53(), regionRural53(), state(), stateUrbanB(), stateRuralB()});
        } else if (is1991) {
            add({whereRegion(), regionUrban(), regionRural()});
        } else {
            add({whereRegion53(), regionUrban53(), regionRural53()});
        }
        if (f.temBrasil)
            add({national()});
    }
    if (f.temBrasil && !f.todosMunicipios && !f.todasUFs && !f.todasRegioes)
        add({whereNational()});
    if (f.todasUFs && !f.todosMunicipios && !f.todasRegioes) {
        add({whereState()});
        if (is1991)
            add({stateUrban(), stateRural()});
        else
            add({stateUrbanB(), stateRuralB()});
        if (f.temBrasil)
            add({national()});
    }
    return lines;
}

namespace {
std::string sameCensusAndAge(int census, const std::string& ageText)
{
    return " censo = '" + std::to_string(census) + "'" + (ageText.empty() ? "" : " and idade = '" + escapeSqlText(ageText) + "'");
}
} // namespace

std::vector<std::string> bulkUpdateLines(int census, const std::string& ageText,
                                         const BulkColumns& part)
{
    std::string set;
    for (std::size_t c = 0; c < part.columns.size(); ++c)
        set += std::string(c == 0 ? " update temp set  " : " , ") + part.columns[c] + " = (select " +
               part.expressions[c] + " from " + part.table + " m where m.codigo = temp.codigo)";
    return {set, " where" + sameCensusAndAge(census, ageText)};
}

std::vector<std::string> bulkInsertMissingLines(int census, const std::string& ageText, const std::string& insertHead,
                                                const std::string& selectList, const std::string& table,
                                                const WholeLevels& levels)
{
    // The level lines are joined by "or": the whole select is wrapped before
    // the present codes are left out.
    std::vector<std::string> lines = bulkInsertLines(census, insertHead, " select * from (" + selectList, table, levels);
    lines.push_back(") where codigo not in (select codigo from temp where" +
                    sameCensusAndAge(census, ageText) + ")");
    return lines;
}

} // namespace daxo::query
