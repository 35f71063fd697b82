#include "index_file.h"
#include "names.h"

#include "engine.h"
#include "file_lookup.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace daxo::platform {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSignature = "DAXO-INDEX 1";

} // namespace

std::map<std::string, std::string> readIndexTags(const fs::path& file)
{
    std::map<std::string, std::string> tags;
    std::ifstream in(findPath(file), std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line != kSignature)
        return tags;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos && eq > 0)
            tags[upperCase(line.substr(0, eq))] = line.substr(eq + 1);
    }
    return tags;
}

void writeIndexTags(const fs::path& file, const std::map<std::string, std::string>& tags)
{
    const fs::path target = findPath(file);
    fs::path tmp = target;
    tmp += ".tmp~" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << kSignature << '\n';
        for (const auto& [tag, field] : tags)
            out << tag << '=' << field << '\n';
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(tmp, ec);
            throw EngineError("Não foi possível gravar o índice " + target.string());
        }
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw EngineError("Não foi possível gravar o índice " + target.string());
    }
}

fs::path indexFileOf(const fs::path& table)
{
    fs::path p = table;
    p.replace_extension(".mdx");
    return findPath(p);
}

} // namespace daxo::platform
