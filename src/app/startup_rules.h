#pragma once
// Start-up and shut-down rules of the program folder: the data alias, the
// screen check, the exit clean-up and the waiting animation's cycle.
#include "platform/alias_registry.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace daxo::app {

inline constexpr const char* kAliasDados = "DAXOBR";

// Registers DAXOBR over <programFolder>/Bases when the registry lacks it or
// names another folder, and once more when the marker alias.ini is present
// (renamed to alias_.ini then).
void registerDataAlias(platform::AliasRegistry& registry, const std::filesystem::path& programFolder);

// The standard message for a screen narrower than 800 pixels; the height is
// not looked at.
std::optional<std::string> resolutionMessage(int screenWidth);

// Files the exit clean-up removes: the generated files lying directly in the
// program folder (the workbooks and CSV files of the reports too), the work
// table and its chart copy.
inline constexpr std::array<const char*, 10> kMascarasLimpeza = {
    "*.DBF", "*.XLS", "*.HTML", "*.SHP", "*.MDX", "*.SBN", "*.SBX", "*.SHX", "*.XLSX", "*.CSV"};
std::vector<std::filesystem::path> collectGeneratedFiles(const std::filesystem::path& programFolder);

// Deletes them; every failure is ignored. Folders are never removed, even
// when their names match a mask.
void cleanProgramFolder(const std::filesystem::path& programFolder) noexcept;

// "Aguarde" → "Aguarde." → "Aguarde.." → "Aguarde..." → "Aguarde".
inline constexpr std::array<const char*, 4> kAguarde = {"Aguarde", "Aguarde.", "Aguarde..", "Aguarde..."};
// The label to show next; `visible` is the one shown now, -1 for none.
int nextAguarde(int visible);

} // namespace daxo::app
