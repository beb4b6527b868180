#include "editor/NumberReader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sonavel {
namespace {

TEST(NumberReader, ReadsTheLeadingDecimalNumber) {
    EXPECT_EQ(ReadLeadingNumber("1200Hz"), 1200);
    EXPECT_EQ(ReadLeadingNumber("-7.25x"), -7.25);
    EXPECT_EQ(ReadLeadingNumber("+.5"), 0.5);
    EXPECT_EQ(ReadLeadingNumber("1.2.3"), 1.2);
    EXPECT_EQ(ReadLeadingNumber("1,5"), 1);  // never a decimal comma, whatever the locale
    EXPECT_EQ(ReadLeadingNumber("  1 2\t0\n0 Hz"), 1200);  // blanks, tabs, line feeds skipped
    EXPECT_EQ(ReadLeadingNumber("12\r34"), 12);            // other characters end the number
    EXPECT_EQ(ReadLeadingNumber("1.2E3"), 1200);
    EXPECT_EQ(ReadLeadingNumber("12d2"), 1200);
    EXPECT_EQ(ReadLeadingNumber("5E+2Hz"), 500);
    EXPECT_EQ(ReadLeadingNumber("7E+x"), 7);  // an exponent needs digits
    EXPECT_TRUE(std::isinf(ReadLeadingNumber("1E999")));
    EXPECT_EQ(ReadLeadingNumber("1E-999"), 0);
    for (const char* none : {"", "Hz", "-", ".", "&", "&X12", "&HG"}) EXPECT_EQ(ReadLeadingNumber(none), 0) << none;
}

TEST(NumberReader, ReadsHexadecimalAndOctalWithTheirSixteenBitWrap) {
    EXPECT_EQ(ReadLeadingNumber("&H4B0"), 1200);
    EXPECT_EQ(ReadLeadingNumber("&h4b0"), 1200);
    EXPECT_EQ(ReadLeadingNumber("&O22609"), 1200);  // 9 is no octal digit
    EXPECT_EQ(ReadLeadingNumber("&HFFFF"), -1);
    EXPECT_EQ(ReadLeadingNumber("&H8000"), -32768);
    EXPECT_EQ(ReadLeadingNumber("&H10000"), 65536);
    EXPECT_EQ(ReadLeadingNumber("&HFFFFFFFF"), -1);
}

TEST(NumberReader, RoundsHalvesToEvenWithinSixteenBits) {
    EXPECT_EQ(RoundToInt16(1000.5), 1000);
    EXPECT_EQ(RoundToInt16(1001.5), 1002);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    for (double outside : {32767.5, -32769.0, double(HUGE_VAL), double(NAN)}) EXPECT_FALSE(RoundToInt16(outside)) << outside;
}

}  // namespace
}  // namespace sonavel
