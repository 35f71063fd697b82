#include "platform/formats.h"

#include <gtest/gtest.h>

using daxo::platform::floatToText;
using daxo::platform::formatFloat;

namespace {
constexpr const char* kOptional = "###,###.###";
constexpr const char* kTwoPlaces = "###,##0.00";
} // namespace

TEST(Formats, OptionalDigitsPicture)
{
    EXPECT_EQ(formatFloat(kOptional, 1234.5), "1.234,5");
    EXPECT_EQ(formatFloat(kOptional, 0.5), ",5");
    EXPECT_EQ(formatFloat(kOptional, 0.0), "");
    EXPECT_EQ(formatFloat(kOptional, 12), "12");
    EXPECT_EQ(formatFloat(kOptional, 123456789.125), "123.456.789,125");
    EXPECT_EQ(formatFloat(kOptional, 999), "999");
    EXPECT_EQ(formatFloat(kOptional, 1000), "1.000");
}

TEST(Formats, TwoPlacesPicture)
{
    EXPECT_EQ(formatFloat(kTwoPlaces, 1234.5), "1.234,50");
    EXPECT_EQ(formatFloat(kTwoPlaces, 0.5), "0,50");
    EXPECT_EQ(formatFloat(kTwoPlaces, 0.0), "0,00");
    EXPECT_EQ(formatFloat(kTwoPlaces, 169799170), "169.799.170,00");
}

TEST(Formats, NegativeNumbers)
{
    EXPECT_EQ(formatFloat(kOptional, -1234.5), "-1.234,5");
    EXPECT_EQ(formatFloat(kTwoPlaces, -0.5), "-0,50");
    // Rounded away to zero: no lone minus sign.
    EXPECT_EQ(formatFloat(kOptional, -0.0001), "");
    EXPECT_EQ(formatFloat(kTwoPlaces, -0.001), "0,00");
}

TEST(Formats, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(formatFloat(kTwoPlaces, 2.675), "2,68");      // stored as 2.67499999...
    EXPECT_EQ(formatFloat(kTwoPlaces, 1.005), "1,01");
    EXPECT_EQ(formatFloat(kTwoPlaces, -2.675), "-2,68");
    EXPECT_EQ(formatFloat(kOptional, 0.0005), ",001");
    EXPECT_EQ(formatFloat(kOptional, 0.0004), "");
    EXPECT_EQ(formatFloat(kTwoPlaces, 999999.995), "1.000.000,00");   // carry through every digit
    EXPECT_EQ(formatFloat(kOptional, 9.9996), "10");
}

TEST(Formats, SeparatorsFollowTheProcessSettings)
{
    const auto saved = daxo::platform::processFormats();
    daxo::platform::FormatSettings other;
    other.thousandSeparator = ',';
    other.decimalSeparator = '.';
    daxo::platform::setProcessFormats(other);
    EXPECT_EQ(formatFloat(kTwoPlaces, 1234.5), "1,234.50");
    EXPECT_EQ(floatToText(1234.5), "1234.5");
    daxo::platform::setProcessFormats(saved);
    EXPECT_EQ(daxo::platform::processFormats().shortDateFormat, "dd/MM/yyyy");
    EXPECT_EQ(daxo::platform::processFormats().currencyString, "R$");
}

TEST(Formats, FloatToText)
{
    EXPECT_EQ(floatToText(1234.5), "1234,5");
    EXPECT_EQ(floatToText(0), "0");
    EXPECT_EQ(floatToText(-0.25), "-0,25");
    EXPECT_EQ(floatToText(0.1 + 0.2), "0,3");
    EXPECT_EQ(floatToText(169799170), "169799170");
    EXPECT_EQ(floatToText(1e20), "1E20");
    EXPECT_EQ(floatToText(0.000001), "1E-6");
    EXPECT_EQ(floatToText(0.0001), "0,0001");
}
