#pragma once
// The order of character columns: trailing blanks ignored, letters compared
// without accents or case first (so "Água Boa" sorts among the A's), then
// byte for byte, so that only texts equal but for trailing blanks are equal.
#include <string_view>

namespace daxo::platform {

int compareText(std::string_view a, std::string_view b);

} // namespace daxo::platform
