#pragma once
// Names the table reports derive from the indicator and the work table.
#include <string>

namespace daxo::reports {

// The indicator text without the characters a file name cannot carry.
std::string LimpaNomeArquivo(const std::string& texto);

// The displayed locality: the work table's Localidade without its final
// "-" + census year. Hyphens inside a name ("Ji-Paraná", "Centro-Oeste") stay.
std::string TiraCenso(const std::string& texto);

} // namespace daxo::reports
