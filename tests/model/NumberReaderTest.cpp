#include "model/NumberReader.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sonavel;

TEST(NumberReader, ReadsTheLeadingDecimalHexadecimalOrOctalNumber) {
    const std::pair<const char*, double> cases[] = {
        {"1200Hz", 1200}, {"-7.25x", -7.25}, {"+.5", 0.5}, {"1.2.3", 1.2},
        {"1,5", 1},                                   // never a decimal comma, whatever the locale
        {"  1 2\t0\n0 Hz", 1200}, {"12\r34", 12},     // blanks, tabs, line feeds skipped; others end it
        {"1.2E3", 1200}, {"12d2", 1200}, {"5E+2Hz", 500}, {"7E+x", 7}, {"1E-999", 0},
        {"&H4B0", 1200}, {"&h4b0", 1200}, {"&O22609", 1200},  // 9 is no octal digit
        {"&HFFFF", -1}, {"&H8000", -32768}, {"&H10000", 65536}, {"&HFFFFFFFF", -1},  // 16-bit wrap
        {"", 0}, {"Hz", 0}, {"-", 0}, {".", 0}, {"&", 0}, {"&X12", 0}, {"&HG", 0}};
    for (auto [text, value] : cases) EXPECT_EQ(ReadLeadingNumber(text), value) << text;
}

TEST(NumberReader, RoundsHalvesToEvenWithinSixteenBits) {
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    for (double outside : {32767.5, -32769.0, double(HUGE_VAL), double(NAN)}) EXPECT_FALSE(RoundToInt16(outside)) << outside;
}
