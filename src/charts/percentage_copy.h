#pragma once
// The chart copy of the work table (temper.dbf beside Temp.dbf) with every
// positive value rewritten as a percentage of the national total of its
// row's census.
#include "reports/html_report.h"

#include <functional>
#include <string>

namespace daxo::platform {
struct DataModule;
}

namespace daxo::charts {

inline constexpr const char* kTabelaPercentual = "TEMPER";

// `totalBrasil` gives the national total for a census text ("1991", "2000").
// Values of 0 or less and empty cells are kept; a row whose total is not
// positive gets empty cells instead of a share of nothing. The value columns
// get the decimals the smallest share needs to show. Returns the copy as
// read back from the file.
reports::WorkTable copiaPercentual(daxo::platform::DataModule& dm,
                                   const std::function<double(const std::string& censo)>& totalBrasil);

} // namespace daxo::charts
