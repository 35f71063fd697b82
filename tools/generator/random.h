#pragma once
// Seeded, platform-independent random numbers: the same seed gives the same
// installation on every machine and library version.
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <algorithm>

namespace daxo::generator {

inline std::uint64_t mix(std::uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// A value in [0, 1) fixed by the seed and the keys: the model's "noise"
// depends only on what it describes, never on the order of computation.
inline double unit(std::uint64_t seed, std::initializer_list<std::uint64_t> keys)
{
    std::uint64_t h = mix(seed);
    for (std::uint64_t k : keys) h = mix(h ^ k);
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

// Uniform in [lo, hi) from the keys.
inline double between(std::uint64_t seed, std::initializer_list<std::uint64_t> keys, double lo, double hi)
{
    return lo + (hi - lo) * unit(seed, keys);
}

// FNV-1a: a stable key for a text.
inline std::uint64_t textKey(std::string_view text)
{
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : text) h = (h ^ c) * 0x100000001B3ull;
    return h;
}

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    double next() { state_ = mix(state_); return static_cast<double>(state_ >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * next(); }
    double normal()
    {
        const double u = std::max(next(), 1e-300), v = next();
        return std::sqrt(-2 * std::log(u)) * std::cos(6.283185307179586 * v);
    }

private:
    std::uint64_t state_;
};

} // namespace daxo::generator
