#pragma once
// The SQL engine's own messages, told to the user in Portuguese.
#include <string>

namespace daxo::platform {

std::string portugueseReason(const std::string& engineMessage);

} // namespace daxo::platform
