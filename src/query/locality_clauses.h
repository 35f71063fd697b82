#pragma once
// The fixed clause lines that select localities from a matrix table, and the
// filters built from the chosen-locality list. Every text is part of the
// contract with the matrix tables: blanks and letter case matter.
#include <string>
#include <vector>

namespace daxo::query {

// Whole-level codes of the chosen-locality list.
inline constexpr const char* kAllMunicipalities = "999999";
inline constexpr const char* kAllStates = "12345678";
inline constexpr const char* kAllRegions = "987654321";
inline constexpr const char* kBrasil = "0";

// The 27 state codes in code order.
const std::vector<std::string>& stateCodes();

namespace clause {
std::string ufJoin();
std::string regionOut();
std::string regionOut53();
std::string regionUrbanOut();
std::string regionUrbanOut53();
std::string regionRuralOut();
std::string regionRuralOut53();
std::string nationalOut();
std::string whereRegionOut53();
std::string stateOut();
std::string stateUrbanOut();
std::string stateRuralOut();
std::string nationalOut2();
std::string whereRegion();
std::string whereRegion53();
std::string regionUrban();
std::string regionUrban53();
std::string regionRural();
std::string regionRural53();
std::string state();
std::string whereState();
std::string stateUrban();
std::string stateUrbanB();
std::string stateRural();
std::string stateRuralB();
std::string national();
std::string whereNational();
inline std::string where() { return " where "; }
inline std::string and_() { return " and "; }
} // namespace clause

// The four lines that keep regions, their urban/rural parts and the national
// records out of the state join.
std::vector<std::string> joinExclusionLines();

// " codigo = 'a' or  codigo = 'b'" for the codes in list order.
std::string chosenLocalityFilter(const std::vector<std::string>& codes);

// A text to put between single quotes in a statement: its own quotes doubled.
std::string escapeSqlText(const std::string& text);

} // namespace daxo::query
