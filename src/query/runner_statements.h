#pragma once
// The statements the query runner sends for one indicator row: the matrix
// queries per locality, the bulk-insert heads and the work-table writes.
#include <string>
#include <vector>

namespace daxo::query {

// Statement A (first matrix table) and B (municipal matrix table), with the
// ages summed or for one age group.
enum class MatrixTable { Mi, Mu };
std::vector<std::string> matrixStatement(MatrixTable which, bool perAgeGroup, const std::string& expression,
                                         const std::string& table, const std::string& filter);

// The sum of one migration destination region over a matrix table.
std::string migrationRegionStatement(MatrixTable which, const std::string& description,
                                     const std::string& code, const std::string& expression,
                                     const std::string& table, const std::string& condition);

// Heads of the bulk statement of one census; `ageText` is empty when the ages
// are summed.
std::string bulkInsertHead(bool perAgeGroup);
std::string bulkSelectHead(int census, const std::string& ageText);

// The identity of a work-table row and the value to write into it.
struct WorkTableCell {
    std::string census;        // "1991"
    std::string code;          // CODIGO of the matrix record
    std::string ageText;       // empty without the Idade column
    std::string column;        // CampoLinha of the row
    std::string valueText;     // the value as read, decimal point
};

std::vector<std::string> existenceCheck(const WorkTableCell& cell);
// `localityLabel` is the whole Localidade text (see the two makers below).
std::vector<std::string> insertStatement(const WorkTableCell& cell, const std::string& localityLabel);
std::vector<std::string> updateStatement(const WorkTableCell& cell, bool withParameter);

// The Localidade text of a row written one locality at a time.
std::string localityLabel(const std::string& census, const std::string& uf, const std::string& name,
                          bool migration);
// In chart runs with ages: name, CR, census, CR, short age text.
std::string chartLocalityLabel(const std::string& census, const std::string& name, const std::string& shortAge);

// Age phrase without its last eight characters ("de idade").
std::string ageColumnText(const std::string& agePhrase);

// The value text as SQL: its first "," becomes ".".
std::string sqlNumber(std::string valueText);

} // namespace daxo::query
