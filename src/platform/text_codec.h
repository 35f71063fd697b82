#pragma once
// dBASE files hold Windows-1252 text; the program works in UTF-8.
#include <string>
#include <string_view>

namespace daxo::platform {

std::string cp1252ToUtf8(std::string_view bytes);
// Characters outside Windows-1252 become '?'.
std::string utf8ToCp1252(std::string_view text);

} // namespace daxo::platform
