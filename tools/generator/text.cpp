#include "text.h"

#include <cctype>

namespace daxo::generator {

std::string capitalsWithoutAccents(std::string_view utf8)
{
    // Base letters of U+00C0..U+00FF (Latin-1 supplement); '?' where none.
    static const char* const base =
        "AAAAAAACEEEEIIII"
        "DNOOOOO*OUUUUYTS"
        "AAAAAAACEEEEIIII"
        "DNOOOOO/OUUUUYTY";
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(std::toupper(c));
        } else if ((c == 0xC3) && i + 1 < utf8.size()) {
            const unsigned char next = static_cast<unsigned char>(utf8[++i]);
            const int codePoint = 0xC0 + (next & 0x3F);
            out += base[codePoint - 0xC0];
        } else {
            // Other multi-byte characters: skip their continuation bytes.
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
            out += '?';
        }
    }
    return out;
}

} // namespace daxo::generator
