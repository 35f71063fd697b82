#pragma once
#include <string>
#include <string_view>

namespace daxo::generator {

// "São Félix do Xingu" -> "SAO FELIX DO XINGU": the capitals without accents
// that the map layers use for names.
std::string capitalsWithoutAccents(std::string_view utf8);

} // namespace daxo::generator
