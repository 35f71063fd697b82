#pragma once
// The index file beside a table (<table>.mdx): a small text file naming each
// tag and its key field. The order itself is built in memory when a table is
// opened with a tag.
#include <filesystem>
#include <map>
#include <string>

namespace daxo::platform {

// Tag name (upper case) -> key field. A file of another format, or none,
// gives no tags.
std::map<std::string, std::string> readIndexTags(const std::filesystem::path& file);
void writeIndexTags(const std::filesystem::path& file, const std::map<std::string, std::string>& tags);

std::filesystem::path indexFileOf(const std::filesystem::path& table);

} // namespace daxo::platform
