#pragma once
// The HTML table report and its percentage pages, as text. Pieces are joined
// with CR LF; the caller writes them in Windows-1252.
#include "platform/value.h"

#include <functional>
#include <string>
#include <vector>

namespace daxo::reports {

// The work table as read with " SELECT * FROM TEMP ".
struct WorkTable {
    std::vector<std::string> columns;
    std::vector<std::vector<daxo::platform::Value>> rows;

    bool hasAgeColumn() const;
    int firstValueColumn() const;       // after Censo, Localidade, (Idade,) Codigo
    bool hasTotalColumn() const;        // a column named "Total", letter case ignored
};

struct ReportContext {
    int indicator = 0;
    std::string indicatorText;     // the text of cbIndicadores
    std::string caption;           // lblResultIndicador
    std::string census;            // lblResultCenso
    std::string baseName;          // LimpaNomeArquivo(indicator text) + report number
    std::string migrationOrigin;   // first chosen locality of a migration query
    // BuscaRotulo over the indicator rows: sets the label when a row has the column.
    std::function<void(const std::string& column, std::string& label)> buscaRotulo;
};

struct ReportFiles {
    std::string page;    // .html
    std::string sheet;   // .xls
};

bool isCountIndicator(int indicator);
// Indicators with a row-percentage page (when the table has a Total column)
// and with a Brazil-percentage page.
bool hasRowPercentagePage(int indicator);
bool hasBrazilPercentagePage(int indicator);

enum class Percentage { Row, Brazil };
struct ReportGrid;

// The pages written from cells already read (report_grid.h).
ReportFiles valuePages(const ReportContext& context, const WorkTable& table, const ReportGrid& grid);
ReportFiles percentagePages(const ReportContext& context, Percentage kind, const ReportGrid& grid);

ReportFiles MontaHTML(const ReportContext& context, const WorkTable& table);
ReportFiles MontaHTMLPercentual(const ReportContext& context, const WorkTable& table);
// `totalBrasil` gives the national total for a row's census text.
ReportFiles MontaHTMLPercentualBrasil(const ReportContext& context, const WorkTable& table,
                                      const std::function<double(const std::string& censo)>& totalBrasil);

} // namespace daxo::reports
