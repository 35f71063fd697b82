#pragma once
// The one place where the operating system's and the standard library's
// failures become Portuguese words for the user.
#include <exception>
#include <string>
#include <system_error>

namespace daxo::platform {

// Why the system refused, in Portuguese ("não há espaço livre no disco").
std::string systemReason(std::error_code error);
std::string systemReason(int errnoValue);

// The text the message window shows for an error that reached the user:
// the program's own errors as they are; a system failure with its reason;
// a fault of the standard library (an index out of range, a number that
// does not fit) as what failed, never in the library's English.
std::string userMessage(const std::exception& error);

} // namespace daxo::platform
