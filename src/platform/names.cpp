#include "names.h"

#include <algorithm>
#include <cctype>

namespace daxo::platform {

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string upperCase(std::string_view s)
{
    std::string u(s);
    for (auto& c : u)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

std::string lowerCase(std::string_view s)
{
    std::string l(s);
    for (auto& c : l)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return l;
}

namespace {

std::string quoted(std::string_view text, char quote)
{
    std::string q(1, quote);
    for (char c : text) {
        q += c;
        if (c == quote)
            q += c;
    }
    return q + quote;
}

} // namespace

std::string sqlIdentifier(std::string_view name) { return quoted(name, '"'); }
std::string sqlLiteral(std::string_view text) { return quoted(text, '\''); }

} // namespace daxo::platform
