#include "source_data.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace daxo::generator {
namespace {

std::ifstream openSource(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in) throw std::runtime_error("Arquivo de dados geográficos não encontrado: " + file.string());
    return in;
}

void loadOutlines(const std::filesystem::path& file, SourceData& data)
{
    std::ifstream in = openSource(file);
    std::string line;
    Shape* current = nullptr;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "state") {
            std::string sigla;
            words >> sigla;
            current = &data.outlines[sigla];
        } else if (keyword == "ring" && current) {
            Ring ring;
            std::string pair;
            while (words >> pair) {
                const auto comma = pair.find(',');
                if (comma == std::string::npos) throw std::runtime_error("Contorno mal formado em " + file.string());
                ring.push_back({std::stod(pair.substr(0, comma)), std::stod(pair.substr(comma + 1))});
            }
            if (ring.size() >= 3) current->push_back(std::move(ring));
        } else {
            throw std::runtime_error("Linha inesperada em " + file.string() + ": " + line);
        }
    }
}

void loadNames(const std::filesystem::path& file, SourceData& data)
{
    std::ifstream in = openSource(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        if (tab == std::string::npos) throw std::runtime_error("Linha inesperada em " + file.string() + ": " + line);
        data.names[line.substr(0, tab)].push_back(line.substr(tab + 1));
    }
}

} // namespace

SourceData loadSourceData(const std::filesystem::path& dataDir)
{
    SourceData data;
    loadOutlines(dataDir / "state_outlines.txt", data);
    loadNames(dataDir / "municipality_names.txt", data);
    return data;
}

} // namespace daxo::generator
