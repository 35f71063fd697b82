#pragma once
// The installation comes from a file system that ignores letter case:
// every file the program opens is looked up the same way here.
#include <filesystem>
#include <string_view>
#include <vector>

namespace daxo::platform {

// Resolves each component of `path` against what exists on disk, ignoring
// letter case. Components that do not exist are kept as given, so the result
// also names a file about to be created ("Bases/Temp.dbf" -> "bases/temp.DBF"
// when that exists, else "bases/Temp.dbf" under an existing "bases").
std::filesystem::path findPath(const std::filesystem::path& path);

bool fileExists(const std::filesystem::path& path);

// Bare names of the entries of `dir` that match a wildcard mask ("*.DBF"),
// ignoring letter case; names starting with "." are left out. A missing or
// unreadable folder gives nothing.
std::vector<std::string> listMatching(const std::filesystem::path& dir, std::string_view mask);

} // namespace daxo::platform
