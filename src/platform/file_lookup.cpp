#include "file_lookup.h"
#include "names.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace daxo::platform {

namespace fs = std::filesystem;

namespace {

// '*' any run, '?' one character; letter case ignored.
bool matchesMask(std::string_view name, std::string_view mask)
{
    std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' ||
                                std::tolower(static_cast<unsigned char>(mask[m])) ==
                                    std::tolower(static_cast<unsigned char>(name[n])))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

} // namespace

fs::path findPath(const fs::path& path)
{
    fs::path result;
    bool resolving = true;
    for (const auto& part : path) {
        const std::string name = part.string();
        if (!resolving || name.empty() || name == "/" || name == "." || name == "..") {
            result /= part;
            continue;
        }
        fs::path candidate = result.empty() ? fs::path(part) : result / part;
        std::error_code ec;
        if (fs::exists(candidate, ec)) {
            result = candidate;
            continue;
        }
        fs::path dir = result.empty() ? fs::path(".") : result;
        bool found = false;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            if (sameName(entry, name)) {
                result = result.empty() ? fs::path(entry) : result / entry;
                found = true;
                break;
            }
        }
        if (!found) {
            result = candidate;
            resolving = false;
        }
    }
    return result;
}

bool fileExists(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(findPath(path), ec);
}

std::vector<std::string> listMatching(const fs::path& dir, std::string_view mask)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(findPath(dir), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!name.empty() && name[0] != '.' && matchesMask(name, mask))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace daxo::platform
