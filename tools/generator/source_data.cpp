#include "source_data.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
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

[[noreturn]] void malformed(const std::filesystem::path& file, const std::string& line)
{
    throw std::runtime_error("Linha inesperada em " + file.string() + ": " + line.substr(0, 80));
}

// "x,y" as two integers.
bool readPair(std::string_view text, GridPoint& p)
{
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) return false;
    const auto a = std::from_chars(text.data(), text.data() + comma, p[0]);
    const auto b = std::from_chars(text.data() + comma + 1, text.data() + text.size(), p[1]);
    return a.ec == std::errc() && b.ec == std::errc() && b.ptr == text.data() + text.size();
}

void loadOutlines(const std::filesystem::path& file, SourceData& data, std::map<std::string, std::size_t>& index)
{
    std::ifstream in = openSource(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line.substr(2));
        if (line.compare(0, 2, "a ") == 0) {
            Border border;
            std::string pair;
            GridPoint p{}, step{};
            while (words >> pair) {
                if (!readPair(pair, border.empty() ? p : step)) malformed(file, line);
                if (!border.empty()) p = {p[0] + step[0], p[1] + step[1]};
                border.push_back(p);
            }
            if (border.size() < 2) malformed(file, line);
            data.borders.push_back(std::move(border));
        } else if (line.compare(0, 2, "m ") == 0) {
            std::string code, rings;
            words >> code;
            std::getline(words, rings);
            const auto it = index.find(code);
            if (it == index.end()) malformed(file, line);
            std::istringstream ringTexts(rings);
            std::string ringText;
            while (std::getline(ringTexts, ringText, ';')) {
                std::istringstream refs(ringText);
                BorderRing ring;
                int ref = 0;
                while (refs >> ref) {
                    if ((ref < 0 ? -1 - ref : ref) >= static_cast<int>(data.borders.size())) malformed(file, line);
                    ring.push_back(ref);
                }
                if (!ring.empty()) data.municipalities[it->second].rings.push_back(std::move(ring));
            }
        } else {
            malformed(file, line);
        }
    }
}

void loadMunicipalities(const std::filesystem::path& file, SourceData& data, std::map<std::string, std::size_t>& index)
{
    std::ifstream in = openSource(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
        if (fields.size() != 10 || fields[0].size() != 6 || fields[1].size() != 5) malformed(file, line);
        SourceMunicipality m;
        m.code = fields[0];
        m.microregion = fields[1];
        m.in1991 = fields[2] == "1";
        try {
            for (int census = 0; census < 2; ++census) {
                m.population[census] = std::stod(fields[3 + census]);
                m.incomePerHead[census] = std::stod(fields[5 + census]);
                m.poorShare[census] = std::stod(fields[7 + census]);
                for (double v : {m.population[census], m.incomePerHead[census], m.poorShare[census]})
                    if (!std::isfinite(v) || v < 0) malformed(file, line);
            }
        } catch (const std::exception&) {
            malformed(file, line);
        }
        m.name = fields[9];
        // The outlines' lookups rely on the order of the codes.
        if (!data.municipalities.empty() && data.municipalities.back().code >= m.code) malformed(file, line);
        index[m.code] = data.municipalities.size();
        data.municipalities.push_back(std::move(m));
    }
}

} // namespace

SourceData loadSourceData(const std::filesystem::path& dataDir)
{
    SourceData data;
    std::map<std::string, std::size_t> index;
    loadMunicipalities(dataDir / "municipalities.tsv", data, index);
    loadOutlines(dataDir / "municipal_outlines.txt", data, index);
    return data;
}

Shape joinRings(const std::vector<Border>& borders, const std::vector<const BorderRing*>& rings)
{
    // Net use of each border: +1 forwards, -1 backwards; shared ones cancel.
    std::map<int, int> uses;
    for (const BorderRing* ring : rings)
        for (int ref : *ring) uses[ref < 0 ? -1 - ref : ref] += ref < 0 ? -1 : 1;
    std::multimap<GridPoint, int> byStart;
    for (const auto& [border, net] : uses)
        for (int k = 0; k < std::abs(net); ++k) {
            const int ref = net > 0 ? border : -1 - border;
            byStart.emplace(net > 0 ? borders[border].front() : borders[border].back(), ref);
        }
    Shape shape;
    while (!byStart.empty()) {
        auto it = byStart.begin();
        const GridPoint start = it->first;
        std::vector<GridPoint> points;
        for (;;) {
            const int ref = it->second;
            byStart.erase(it);
            const Border& b = borders[ref < 0 ? -1 - ref : ref];
            if (ref >= 0) points.insert(points.end(), b.begin(), b.end() - 1);
            else points.insert(points.end(), b.rbegin(), b.rend() - 1);
            const GridPoint end = ref >= 0 ? b.back() : b.front();
            if (end == start) break;
            it = byStart.find(end);
            if (it == byStart.end()) break;   // an open chain: the data is torn
        }
        Ring ring;
        for (const GridPoint& p : points) ring.push_back({p[0] / 1e4, p[1] / 1e4});
        if (ring.size() >= 3 && signedArea(ring) != 0) shape.push_back(std::move(ring));
    }
    return shape;
}

} // namespace daxo::generator
