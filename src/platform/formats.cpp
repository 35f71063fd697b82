#include "formats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace daxo::platform {

namespace {

FormatSettings& settings()
{
    static FormatSettings s;
    return s;
}

// A finite value as decimal digits: value = 0.digits * 10^exponent, at most
// 15 significant digits (what a double holds reliably, so 2.675 rounds up
// as a reader expects).
struct Decimal {
    bool negative = false;
    std::string digits;   // no leading or trailing zeros; empty for zero
    int exponent = 0;
};

Decimal toDecimal(double value)
{
    Decimal d;
    if (value == 0.0 || !std::isfinite(value))
        return d;
    d.negative = value < 0;
    // d.dddddddddddddde±x, with a point whatever the process locale says.
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14).ptr;
    std::string mantissa;
    const char* p = buf;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.')
            mantissa += *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    d.exponent = exponent + 1;
    d.digits = mantissa;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// Rounds half away from zero to `decimals` places after the point.
void roundTo(Decimal& d, int decimals)
{
    const int keep = d.exponent + decimals;
    if (static_cast<int>(d.digits.size()) <= keep)
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[i];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

// Digit at position `pos` counted from the point: 1 = units, 2 = tens ...;
// 0 = first decimal, -1 = second decimal ...
char digitAt(const Decimal& d, int pos)
{
    const int index = d.exponent - pos;
    if (index < 0 || index >= static_cast<int>(d.digits.size()))
        return '0';
    return d.digits[index];
}

std::string groupThousands(const std::string& integer, char separator)
{
    std::string out;
    const int n = static_cast<int>(integer.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += integer[i];
    }
    return out;
}

struct Picture {
    std::string prefix, suffix;
    int minInteger = 0;     // '0' before the point
    bool grouping = false;  // ',' before the point
    int minDecimals = 0;    // '0' after the point
    int maxDecimals = 0;    // '0' and '#' after the point
};

Picture parsePicture(std::string_view text)
{
    Picture pic;
    const auto first = text.find_first_of("#0");
    const auto last = text.find_last_of("#0");
    if (first == std::string_view::npos) {
        pic.prefix = std::string(text);
        return pic;
    }
    pic.prefix = std::string(text.substr(0, first));
    pic.suffix = std::string(text.substr(last + 1));
    bool afterPoint = false;
    for (char c : text.substr(first, last - first + 1)) {
        if (c == '.') {
            afterPoint = true;
        } else if (c == ',' && !afterPoint) {
            pic.grouping = true;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++pic.maxDecimals;
                if (c == '0')
                    pic.minDecimals = pic.maxDecimals;
            } else if (c == '0' || pic.minInteger > 0) {
                ++pic.minInteger;
            }
        }
    }
    return pic;
}

} // namespace

const FormatSettings& processFormats() { return settings(); }
void setProcessFormats(const FormatSettings& s) { settings() = s; }

std::string formatFloat(std::string_view picture, double value)
{
    const FormatSettings& fs = settings();
    const Picture pic = parsePicture(picture);
    Decimal d = toDecimal(value);
    roundTo(d, pic.maxDecimals);

    std::string integer;
    for (int pos = std::max(d.exponent, pic.minInteger); pos >= 1; --pos)
        integer += digitAt(d, pos);

    std::string decimals;
    for (int i = 0; i < pic.maxDecimals; ++i)
        decimals += digitAt(d, -i);
    while (static_cast<int>(decimals.size()) > pic.minDecimals && decimals.back() == '0')
        decimals.pop_back();

    std::string out = pic.grouping ? groupThousands(integer, fs.thousandSeparator) : integer;
    if (!decimals.empty())
        out += fs.decimalSeparator + decimals;
    if (out.empty())
        return pic.prefix + pic.suffix;
    const bool negative = d.negative && !d.digits.empty();
    return (negative ? "-" : "") + pic.prefix + out + pic.suffix;
}

std::string floatToText(double value)
{
    const FormatSettings& fs = settings();
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    const Decimal d = toDecimal(value);
    if (d.digits.empty())
        return "0";
    std::string out = d.negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent > 15 || std::fabs(value) < 0.00001) {
        // Scientific: 1,5E20, 1E-6.
        out += d.digits[0];
        if (n > 1)
            out += fs.decimalSeparator + d.digits.substr(1);
        return out + "E" + std::to_string(d.exponent - 1);
    }
    if (d.exponent <= 0) {
        out += '0';
        out += fs.decimalSeparator;
        out += std::string(-d.exponent, '0') + d.digits;
        return out;
    }
    for (int pos = d.exponent; pos >= 1; --pos)
        out += digitAt(d, pos);
    if (n > d.exponent)
        out += fs.decimalSeparator + d.digits.substr(d.exponent);
    return out;
}

} // namespace daxo::platform
