#pragma once
// Saved queries run from the command line, without a window:
//   daxo --consulta ARQUIVO [--consulta ARQUIVO ...] [--saida PASTA]
//        [--formatos html,xlsx,csv,png,svg,pdf] [--saida-tipo tabela|grafico|mapa]
//   daxo --ajuda
// The same rules, refusals and code paths as the window; each file written
// is printed, and any refusal or failure ends the run with its message and
// a non-zero exit status.
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace daxo::app {

extern const char* const kUsoLinhaDeComando;

struct BatchOptions {
    bool ajuda = false;
    std::vector<std::filesystem::path> consultas;
    std::filesystem::path saida;         // the current folder when not given
    std::set<std::string> formatos;      // empty: every format of the output
    std::string saidaTipo = "tabela";
};

// True when the arguments ask for the command line instead of the window.
bool isBatchCall(int argc, char** argv);

// Throws std::runtime_error with a Portuguese message for arguments it does not know.
BatchOptions parseBatchArguments(const std::vector<std::string>& arguments);

// Runs every query in order over the installation in `programFolder`;
// returns the process exit status.
int runBatch(const BatchOptions& options, const std::filesystem::path& programFolder, std::ostream& out,
             std::ostream& err);

} // namespace daxo::app
