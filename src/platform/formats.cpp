#include "formats.h"

namespace daxo::platform {

namespace {
FormatSettings& settings()
{
    static FormatSettings s;
    return s;
}
} // namespace

const FormatSettings& processFormats() { return settings(); }
void setProcessFormats(const FormatSettings& s) { settings() = s; }

std::string formatFloat(std::string_view, double value) { return floatToText(value); }

std::string floatToText(double value) { return std::to_string(value); }

} // namespace daxo::platform
