#pragma once
// The process-wide number and date formats: "." thousands, "," decimals,
// "dd/MM/yyyy", "R$". Every number the program shows goes through here.
#include <string>
#include <string_view>

namespace daxo::platform {

struct FormatSettings {
    char thousandSeparator = '.';
    char decimalSeparator = ',';
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string shortDateFormat = "dd/MM/yyyy";
    std::string shortTimeFormat = "hh:mm:ss";
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
    std::string currencyString = "R$";
    int currencyDecimals = 2;
};

const FormatSettings& processFormats();
void setProcessFormats(const FormatSettings& settings);

// Picture formatting ("###,###.###", "###,##0.00"): '#' optional digit, '0'
// digit always shown, ',' in the integer part turns on grouping, '.' marks
// the decimals. 1234.5 -> "1.234,5" / "1.234,50"; 0.5 -> ",5"; 0 -> "" with
// the first picture.
std::string formatFloat(std::string_view picture, double value);

// The default text form of a number: no grouping, as many decimals as it
// has, the process decimal separator ("1234,5").
std::string floatToText(double value);

} // namespace daxo::platform
