#include "runner_statements.h"

#include "locality_clauses.h"

namespace daxo::query {

namespace {
const char kTab = '\t';
}

std::vector<std::string> matrixStatement(MatrixTable which, bool perAgeGroup, const std::string& expression,
                                         const std::string& table, const std::string& filter)
{
    const bool mi = which == MatrixTable::Mi;
    std::string head;
    std::string where;
    if (!perAgeGroup) {
        head = mi ? "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA , " + expression + " FROM " + table +
                        " LEFT OUTER JOIN UF.DBF  ON " + kTab + "SUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO "
                  : "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA ," + expression + " FROM " + table +
                        "  LEFT OUTER JOIN UF.DBF ON " + kTab + "SUBSTRING(CODIGO FROM 1 FOR 2) = UFCODIGO    ";
        where = mi ? "    WHERE " : " WHERE  ";
    } else {
        head = mi ? "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA , " + expression + " FROM " + table +
                        "  LEFT OUTER JOIN UF.DBF ON SUBSTRING( CODIGO FROM 1 FOR 2) = UFCODIGO   "
                  : "SELECT NIVEL_GEO AS Localidade, CODIGO, UFSIGLA, " + expression + " FROM " + table +
                        "  LEFT OUTER JOIN UF.DBF ON SUBSTRING( CODIGO FROM 1 FOR 2) = UFCODIGO    ";
        where = mi ? " WHERE " : " WHERE  ";
    }
    std::vector<std::string> lines{head};
    for (auto& line : joinExclusionLines())
        lines.push_back(line);
    lines.push_back(where + filter + " ORDER BY codigo");
    return lines;
}

std::string migrationRegionStatement(MatrixTable which, const std::string& description,
                                     const std::string& code, const std::string& expression,
                                     const std::string& table, const std::string& condition)
{
    const std::string one = which == MatrixTable::Mi ? "' as CODIGO,1, sum(" : "' as CODIGO, 1, sum(";
    return "SELECT '" + escapeSqlText(description) + "' as Localidade, '" + code + one + expression +
           ")  as vIndicador FROM " + table + " WHERE " + condition;
}

std::string bulkInsertHead(bool perAgeGroup)
{
    return perAgeGroup ? " insert into temp.dbf ( censo, localidade , idade, codigo "
                       : " insert into temp.dbf ( censo, localidade , codigo ";
}

std::string bulkSelectHead(int census, const std::string& ageText)
{
    const std::string y = std::to_string(census);
    const bool is1991 = census == 1991;
    if (ageText.empty()) {
        // The one-blank literal in double quotes separates abbreviation and name.
        const std::string q = "\" \"";
        return " select '" + y + "',UFSIGLA||" + q + "||nivel_geo ||'-" + y + (is1991 ? "' ,  codigo " : "'  , codigo ");
    }
    return is1991 ? " select '" + y + "',nivel_geo ||'-" + y + "' , '" + ageText + "',codigo "
                  : " select '" + y + "',nivel_geo ||'-" + y + "'  ,  '" + ageText + "' , codigo ";
}

std::vector<std::string> existenceCheck(const WorkTableCell& cell)
{
    std::vector<std::string> lines{"SELECT 1  FROM temp WHERE codigo = '" + escapeSqlText(cell.code) + "'",
                                   " and censo = '" + cell.census + "'"};
    if (!cell.ageText.empty())
        lines.push_back(" and idade  = '" + escapeSqlText(cell.ageText) + "'");
    return lines;
}

std::vector<std::string> insertStatement(const WorkTableCell& cell, const std::string& label)
{
    const std::string value = sqlNumber(cell.valueText);
    const std::string locality = " ( '" + cell.census + "','" + escapeSqlText(label) + "'";
    if (cell.ageText.empty())
        return {" Insert into temp (CENSO, Localidade, codigo, " + cell.column + " ) values ",
                locality + " , '" + escapeSqlText(cell.code) + "', " + value + " ); "};
    return {" Insert into temp (CENSO, Localidade, idade, codigo,  " + cell.column + " ) values ",
            locality + ",'" + escapeSqlText(cell.ageText) + "' , '" + escapeSqlText(cell.code) + "', " + value + " ); "};
}

std::vector<std::string> updateStatement(const WorkTableCell& cell, bool withParameter)
{
    std::vector<std::string> lines{
        withParameter ? " update temp set  " + cell.column + " = :valor "
                      : " update temp set  " + cell.column + " = " + cell.valueText,
        " where codigo = '" + escapeSqlText(cell.code) + "'", " and censo  = '" + cell.census + "'"};
    if (!cell.ageText.empty())
        lines.push_back(" and idade  = '" + escapeSqlText(cell.ageText) + "'");
    return lines;
}

std::string localityLabel(const std::string& census, const std::string& uf, const std::string& name,
                          bool migration)
{
    return (migration ? name : uf + " " + name) + "-" + census;
}

std::string chartLocalityLabel(const std::string& census, const std::string& name, const std::string& shortAge)
{
    return name + "\r" + census + "\r" + shortAge;
}

std::string ageColumnText(const std::string& agePhrase)
{
    return agePhrase.size() > 8 ? agePhrase.substr(0, agePhrase.size() - 8) : std::string();
}

std::string sqlNumber(std::string valueText)
{
    if (auto comma = valueText.find(','); comma != std::string::npos)
        valueText[comma] = '.';
    return valueText;
}

} // namespace daxo::query
