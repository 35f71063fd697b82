#pragma once
// Table, field and alias names compare without regard to letter case (ASCII).
#include <string>
#include <string_view>

namespace daxo::platform {

bool sameName(std::string_view a, std::string_view b);
std::string upperCase(std::string_view s);
std::string lowerCase(std::string_view s);
// A double-quoted SQL identifier, inner quotes doubled.
std::string sqlIdentifier(std::string_view name);
// A single-quoted SQL literal, inner quotes doubled.
std::string sqlLiteral(std::string_view text);

} // namespace daxo::platform
