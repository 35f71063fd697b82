#include "index_file.h"
#include "names.h"

#include "engine.h"
#include "file_lookup.h"
#include "safe_files.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

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
    std::string text = std::string(kSignature) + '\n';
    for (const auto& [tag, field] : tags)
        text += tag + '=' + field + '\n';
    try {
        writeFileSafely(target, text);
    } catch (const FileError& e) {
        throw EngineError("Não foi possível gravar o índice " + target.string() + ": " + e.reason());
    }
}

fs::path indexFileOf(const fs::path& table)
{
    fs::path p = table;
    p.replace_extension(".mdx");
    return findPath(p);
}

} // namespace daxo::platform
