#pragma once
// A refusal of the user's action: an error carrying the Portuguese text that
// the application's error handler shows in the message window. Every handler
// that turns the user down raises one through `refuse`.
#include <stdexcept>
#include <string>

namespace daxo::app {

class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void refuse(const std::string& message) { throw Refusal(message); }

} // namespace daxo::app
