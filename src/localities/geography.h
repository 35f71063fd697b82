#pragma once
// Brazil's regions, states and microregions as the locality tree lists them.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace daxo::localities {

struct Region {
    std::string_view text;      // tree text, e.g. "Centro-Oeste"
    std::string_view code;      // "1" … "5"
    std::string_view mapValue;  // NAME2_ on the regions layer
    std::uint32_t colour;       // highlight colour, 0xRRGGBB
};

struct Microregion {
    std::string_view text;  // tree text
    int number;             // number within its state, 1 … count
};

struct State {
    std::string_view text;         // tree text, e.g. "Espírito Santo"
    std::string_view uf;           // two-digit code
    std::string_view sigla;        // "ES"
    std::string_view regionCode;   // "1" … "5"
    std::string_view mapValue;     // value on the states layer
    std::string_view layerName;    // its microregion layer on the selection map
    std::string_view layerFile;    // relative to the installation folder
    int microregionCount;
};

constexpr std::uint32_t kNoHighlight = 0xFFFFFF;
constexpr int kMicroregionTotal = 558;

// Regions in tree order: Norte, Nordeste, Centro-Oeste, Sudeste, Sul.
std::span<const Region> regions();
// The 27 states in tree order (alphabetical).
std::span<const State> states();
// A state's microregions in tree order (alphabetical, numbers not in order).
std::span<const Microregion> microregionsOf(const State& state);

const State* stateByUf(std::string_view uf);
const Region* regionByCode(std::string_view code);
const Region& regionOf(const State& state);
// Position of a state in tree order, -1 for a state not of the table.
int stateIndex(const State& state);

// "12" + 1 → "12001"; the locality code of a microregion.
std::string microregionCode(const State& state, int number);
// "12" + 1 → "120001"; the MICRO value on the state's microregion layer.
std::string microregionMapId(const State& state, int number);

} // namespace daxo::localities
