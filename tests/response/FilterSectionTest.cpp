#include <gtest/gtest.h>

#include <algorithm>
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

TEST(FilterSection, PeakShelfAndCrossoverResponses) {
    // +12 dB at 10126 Hz = grid position 216 (46.875 Hz steps) is -624 units; 0 dB is flat.
    const auto& peak = Evaluated(1, 10126, 12, 3).EQFFTData;
    EXPECT_EQ(std::min_element(peak.begin() + 1, peak.begin() + 512) - peak.begin(), 216);
    EXPECT_NEAR(peak[216], -624, 1);
    const auto& flat = Evaluated(1, 10126, 0, 3).EQFFTData;
    for (int j = 1; j <= 511; ++j) ASSERT_NEAR(flat[j], 0, 1e-9) << j;
    for (int code : {4, 5})  // the shelves' Q is fixed
        EXPECT_EQ(Evaluated(code, 3000, 12, 0.4).EQFFTData, Evaluated(code, 3000, 12, 128).EQFFTData);

    // 2578 Hz is grid position 55: both fixed-Q sections are 3 dB down there; gain and Q unused.
    const auto& two = Evaluated(2, 2578, 12, 9).EQFFTData;
    const auto& three = Evaluated(3, 2578, -5, 0.1).EQFFTData;
    const double twoAt[] = {148, 157, 165}, threeAt[] = {165, 157, 148};  // positions 54..56
    for (int j = 0; j < 3; ++j) {
        EXPECT_NEAR(two[54 + j], twoAt[j], 1) << j;
        EXPECT_NEAR(three[54 + j], threeAt[j], 1) << j;
    }
    // The slope constant is 1.414 as written, not sqrt 2.
    EXPECT_DOUBLE_EQ(Evaluated(2, 2578, 0, 1).DenCoef[0],
                     1 + std::sin(2 * 3.14159265358979 * 2578 / 48000) / 1.414);
}

TEST(FilterSection, UnknownCodesAndBadInputsChangeNothing) {
    FilterSection section = Evaluated(1, 1000, 3, 1);
    section.EQFFTData[0] = section.EQFFTData[512] = section.EQFFTData[1023] = 77;  // never written
    const FilterSection before = section;
    const double nan = std::nan("");
    const struct { int code; double f, g, q; SectionStatus status; } cases[] = {
        {0, 1000, 12, 1, UnknownTypeCode},  {12, 1000, 12, 1, UnknownTypeCode}, {1, 1000, 12, 0, InvalidArgument},
        {1, 1000, 12, -2, InvalidArgument}, {1, 1000, 12, nan, InvalidArgument}, {1, 1000, INFINITY, 1, InvalidArgument},
        {5, 1000, nan, 1, InvalidArgument}, {3, 0, 0, 1, InvalidArgument},       {3, -100, 0, 1, InvalidArgument},
        {2, 24000, 0, 1, InvalidArgument},  {2, nan, 0, 1, InvalidArgument},     {4, 1000, 20000, 1, NotFinite}};
    for (const auto& c : cases) {
        EXPECT_EQ(section.EQCofficents(c.code, c.f, c.g, c.q), c.status) << c.code << " " << c.f;
        ASSERT_EQ(section.NumCoef, before.NumCoef);
        ASSERT_EQ(section.DenCoef, before.DenCoef);
    }
    ASSERT_EQ(section.EQFFT(), Ok);
    EXPECT_EQ(section.EQFFTData, before.EQFFTData);  // the previous section's response again

    // Sections whose response overflows, divides by zero or reaches zero are refused whole.
    section.NumCoef = {1e200, 0, 0};
    EXPECT_EQ(section.EQFFT(), NotFinite);
    section.NumCoef = {0, 0, 0};
    EXPECT_EQ(section.EQFFT(), NotFinite);
    EXPECT_EQ(FilterSection().EQFFT(), NotFinite);  // nothing designed yet
    EXPECT_EQ(section.EQFFTData, before.EQFFTData);
}

}  // namespace
}  // namespace sonavel
