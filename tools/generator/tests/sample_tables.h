#pragma once
// The small sample installation, generated once per test run, and readers
// for its tables.
#include "installation.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace daxo::generator::testing {

struct Sample {
    std::filesystem::path dir;
    InstallationSummary summary;
};
const Sample& smallSample();

struct DefinitionRecord {
    std::string codigo, tableMi, tableMu;
};
// By INDICADOR text.
std::map<std::string, DefinitionRecord> definitionRecords(int census);

// CODIGO -> value of one column; empty when the table or column is missing.
std::map<std::string, double> columnValues(const std::string& table, const std::string& column);

// Field names of a table, in order.
std::vector<std::string> fieldNames(const std::filesystem::path& file);

// UF code -> region code, from NivelGeograficoUF.dbf.
std::map<std::string, std::string> stateRegions();

} // namespace daxo::generator::testing
