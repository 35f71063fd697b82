#include "text_order.h"

#include <cctype>

namespace daxo::platform {

namespace {

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Base letters of U+00C0..U+00FF ('\0': no base letter, kept as is).
constexpr char kBase[65] = "aaaaaaaceeeeiiii" "dnooooo\0ouuuuy\0s" "aaaaaaaceeeeiiii" "dnooooo\0ouuuuy\0y";

// Next character of UTF-8 text as a sort key: ASCII and Latin-1 letters
// folded to lower-case base letters, other characters by code point.
unsigned nextKey(std::string_view s, std::size_t& i)
{
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        ++i;
        return static_cast<unsigned>(std::tolower(b));
    }
    unsigned cp = b;
    int extra = (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : 0;
    if (extra && i + extra < s.size()) {
        cp = b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    } else {
        extra = 0;
    }
    i += extra + 1;
    if (cp >= 0xC0 && cp <= 0xFF && kBase[cp - 0xC0] != '\0')
        return static_cast<unsigned char>(kBase[cp - 0xC0]);
    return cp;
}

} // namespace

int compareText(std::string_view a, std::string_view b)
{
    a = trimRight(a);
    b = trimRight(b);
    if (a == b)
        return 0;
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned x = nextKey(a, i), y = nextKey(b, j);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a < b ? -1 : 1;
}

} // namespace daxo::platform
