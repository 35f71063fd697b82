#include "report_names.h"

#include <cctype>
#include <string_view>

namespace daxo::reports {

std::string LimpaNomeArquivo(const std::string& texto)
{
    static constexpr std::string_view dropped = "-/\\][{*&\"~`;:?%$#@!+=";
    static constexpr std::string_view acuteAccent = "\xC2\xB4";  // "´" in UTF-8
    std::string out;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto.compare(i, acuteAccent.size(), acuteAccent) == 0) {
            i += acuteAccent.size() - 1;
            continue;
        }
        if (dropped.find(texto[i]) == std::string_view::npos)
            out += texto[i];
    }
    return out;
}

std::string TiraCenso(const std::string& texto)
{
    const std::size_t n = texto.size();
    if (n >= 5 && texto[n - 5] == '-') {
        bool year = true;
        for (std::size_t i = n - 4; i < n; ++i)
            year = year && std::isdigit(static_cast<unsigned char>(texto[i]));
        if (year)
            return texto.substr(0, n - 5);
    }
    return texto;
}

} // namespace daxo::reports
