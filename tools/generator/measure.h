#pragma once
// What a definition record's matrix column holds, expressed on the model's
// counts: a count, or a rate, mean or median computed from two counts that
// add up across localities.
#include "area_attributes.h"
#include "indicators/definition.h"

#include <vector>

namespace daxo::generator {

enum class MeasureKind { Count, Percent, Mean, Median };

struct Measure {
    MeasureKind kind = MeasureKind::Count;
    std::vector<int> numerator;     // attributes summed
    std::vector<int> denominator;   // empty for counts
    std::vector<int> sexes;         // 0 male, 1 female
    std::vector<int> colours;       // 0 white, 1 black or brown, 2 other
    int firstBand = 0;
    int lastBand = BandCount - 1;
};

// Throws std::invalid_argument for a definition the model cannot describe
// (migration definitions live in their own tables).
Measure measureOf(const indicators::Definition& definition);

struct Fraction {
    double numerator = 0;
    double denominator = 0;
    Fraction& operator+=(const Fraction& o) { numerator += o.numerator; denominator += o.denominator; return *this; }
};

Fraction evaluate(const Measure& measure, const AreaAttributes& attributes);

// The value written in the matrix column; 0 when the denominator is 0.
double valueOf(const Measure& measure, const Fraction& fraction);

} // namespace daxo::generator
