#include <gtest/gtest.h>

#include <cmath>

#include "response/FilterSection.h"

namespace sonavel {
namespace {

using enum SectionStatus;

FilterSection Evaluated(int code, double frequency, double gain, double q) {
    FilterSection section;
    EXPECT_EQ(section.EQCofficents(code, frequency, gain, q), Ok);
    EXPECT_EQ(section.EQFFT(), Ok);
    return section;
}

// The responses themselves are read through the band curves (ResponsePlotTest); here what they
// cannot show: the shelves' fixed Q, and the slope constant 1.414 as written, not sqrt 2.
TEST(FilterSection, ShelvesIgnoreQAndTheSlopeConstantIsAsWritten) {
    for (int code : {4, 5})
        EXPECT_EQ(Evaluated(code, 3000, 12, 0.4).EQFFTData, Evaluated(code, 3000, 12, 128).EQFFTData);
    EXPECT_DOUBLE_EQ(Evaluated(2, 2578, 0, 1).DenCoef[0],
                     1 + std::sin(2 * 3.14159265358979 * 2578 / 48000) / 1.414);
}

TEST(FilterSection, UnknownCodesAndBadInputsChangeNothing) {
    FilterSection section = Evaluated(1, 1000, 3, 1);
    const FilterSection before = section;
    const double nan = std::nan("");
    const struct { int code; double f, g, q; SectionStatus status; } cases[] = {
        {0, 1000, 12, 1, UnknownTypeCode},   {12, 1000, 12, 1, UnknownTypeCode},      {1, 1000, 12, 0, InvalidArgument},
        {1, 1000, 12, nan, InvalidArgument}, {1, 1000, INFINITY, 1, InvalidArgument}, {3, 0, 0, 1, InvalidArgument},
        {2, 24000, 0, 1, InvalidArgument},   {4, 1000, 20000, 1, NotFinite}};
    for (const auto& c : cases) {
        EXPECT_EQ(section.EQCofficents(c.code, c.f, c.g, c.q), c.status) << c.code << " " << c.f;
        ASSERT_TRUE(section.NumCoef == before.NumCoef && section.DenCoef == before.DenCoef) << c.code << " " << c.f;
    }
    ASSERT_EQ(section.EQFFT(), Ok);
    EXPECT_EQ(section.EQFFTData, before.EQFFTData);  // the previous section's response again

    // Sections whose response overflows or reaches zero are refused whole.
    section.NumCoef = {1e200, 0, 0};
    EXPECT_EQ(section.EQFFT(), NotFinite);
    EXPECT_EQ(FilterSection().EQFFT(), NotFinite);  // nothing designed yet
    EXPECT_EQ(section.EQFFTData, before.EQFFTData);
}

}  // namespace
}  // namespace sonavel
