#include "value.h"

#include <charconv>
#include <cstdlib>

namespace daxo::platform {

std::string Value::asString() const
{
    if (const auto* s = std::get_if<std::string>(&v_))
        return *s;
    if (const auto* d = std::get_if<double>(&v_)) {
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, *d);
        return std::string(buf, res.ptr);
    }
    return {};
}

std::optional<double> Value::number() const
{
    if (const auto* d = std::get_if<double>(&v_))
        return *d;
    if (const auto* s = std::get_if<std::string>(&v_)) {
        std::size_t b = s->find_first_not_of(' ');
        if (b == std::string::npos)
            return std::nullopt;
        std::size_t e = s->find_last_not_of(' ');
        const char* first = s->data() + b;
        const char* last = s->data() + e + 1;
        if (*first == '+')
            ++first;
        double d = 0;
        auto res = std::from_chars(first, last, d);
        if (res.ec == std::errc() && res.ptr == last)
            return d;
    }
    return std::nullopt;
}

double Value::asFloat() const
{
    return number().value_or(0.0);
}

} // namespace daxo::platform
