#pragma once
// The help pages of the installation, opened in the user's browser.
#include <QString>

namespace daxo::app {

inline constexpr const char* kPaginaIndicadores = "Indicadores_arquivos/Indicadores.htm";
inline constexpr const char* kPaginaNotas = "Indicadores_arquivos/notas_metodologicas.htm";
inline constexpr const char* kPaginaComoConsultar = "Indicadores_arquivos/como_consultar.htm";

// Asks the desktop to open the page (relative to the working directory, the
// program folder). A missing page is the desktop's business.
void abrirAjuda(const char* relativePath);

} // namespace daxo::app
