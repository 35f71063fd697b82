// daxo_generate: writes the synthetic sample installation.
//   daxo_generate <output folder> [--seed N] [--small] [--data <folder>]
#include "installation.h"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    daxo::generator::InstallationOptions options;
    options.dataDir = DAXO_DATA_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--small") options.small = true;
        else if (arg == "--seed" && i + 1 < argc) options.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--data" && i + 1 < argc) options.dataDir = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && options.outputDir.empty()) options.outputDir = arg;
        else {
            std::cerr << "uso: daxo_generate <pasta de saída> [--seed N] [--small] [--data <pasta>]\n";
            return 2;
        }
    }
    if (options.outputDir.empty()) {
        std::cerr << "uso: daxo_generate <pasta de saída> [--seed N] [--small] [--data <pasta>]\n";
        return 2;
    }
    try {
        std::cout << daxo::generator::describe(daxo::generator::generateInstallation(options));
    } catch (const std::exception& e) {
        std::cerr << "Erro ao gerar a instalação: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
