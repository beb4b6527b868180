#include "editor/NumberReader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sonavel {
namespace {

TEST(NumberReader, ReadsDecimalPrefixesAndStopsAtTheFirstForeignCharacter) {
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("1200Hz"), 1200);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("12"), 12);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("-7.25x"), -7.25);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("+3"), 3);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("1.2.3"), 1.2);  // one decimal point only
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("12-3"), 12);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("1,5"), 1);  // a comma never separates decimals
}

TEST(NumberReader, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("  1 2\t0\n0 Hz"), 1200);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("- 5"), -5);
    // A carriage return is not skipped: it ends the number.
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("12\r34"), 12);
}

TEST(NumberReader, ReadsExponentsWithEOrD) {
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("1.2E3"), 1200);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("12d2"), 1200);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("5e-1"), 0.5);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("5E+2Hz"), 500);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("7E"), 7);    // an exponent without digits is no exponent
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("7E+x"), 7);
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1E999")));
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("1E-999"), 0);
}

TEST(NumberReader, ReadsHexadecimalAndOctalWithTheirSixteenBitWrap) {
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&H4B0"), 1200);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&h4b0"), 1200);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&O2260"), 1200);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&o22609"), 1200);  // 9 is no octal digit
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&HFFFF"), -1);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&H8000"), -32768);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&H10000"), 65536);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&HFFFFFFFF"), -1);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&HG"), 0);
    EXPECT_DOUBLE_EQ(ReadLeadingNumber("&X12"), 0);
}

TEST(NumberReader, TextWithoutANumberReadsAsZero) {
    EXPECT_EQ(ReadLeadingNumber(""), 0);
    EXPECT_EQ(ReadLeadingNumber("Hz"), 0);
    EXPECT_EQ(ReadLeadingNumber("-"), 0);
    EXPECT_EQ(ReadLeadingNumber("."), 0);
    EXPECT_EQ(ReadLeadingNumber("&"), 0);
}

TEST(NumberReader, RoundsHalvesToEvenAndRefusesWhatDoesNotFitSixteenBits) {
    EXPECT_EQ(RoundToInt16(1000.5), 1000);
    EXPECT_EQ(RoundToInt16(1001.5), 1002);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(1000.6), 1001);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_FALSE(RoundToInt16(32767.5).has_value());
    EXPECT_FALSE(RoundToInt16(-32769).has_value());
    EXPECT_FALSE(RoundToInt16(HUGE_VAL).has_value());
    EXPECT_FALSE(RoundToInt16(NAN).has_value());
}

}  // namespace
}  // namespace sonavel
