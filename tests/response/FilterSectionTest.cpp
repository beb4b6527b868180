#include <gtest/gtest.h>

#include <cmath>

#include "response/FilterSection.h"

namespace sonavel {
namespace {

FilterSection Evaluated(int code, double frequency, double gain, double q) {
    FilterSection section;
    EXPECT_EQ(section.EQCofficents(code, frequency, gain, q), SectionStatus::Ok);
    EXPECT_EQ(section.EQFFT(), SectionStatus::Ok);
    return section;
}

TEST(FilterSection, PeakShelfAndCrossoverResponses) {
    // +12 dB at 10126 Hz = grid position 216 (46.875 Hz steps) is -624 units.
    const auto& peak = Evaluated(1, 10126, 12, 3).EQFFTData;
    EXPECT_EQ(std::min_element(peak.begin() + 1, peak.begin() + 512) - peak.begin(), 216);
    EXPECT_NEAR(peak[216], -624, 1);
    for (int j = 1; j <= 511; ++j) ASSERT_NEAR(Evaluated(1, 10126, 0, 3).EQFFTData[j], 0, 1e-9);

    for (int code : {4, 5}) {
        const FilterSection a = Evaluated(code, 3000, 12, 0.4), b = Evaluated(code, 3000, 12, 128);
        EXPECT_EQ(a.NumCoef, b.NumCoef);
        EXPECT_EQ(a.DenCoef, b.DenCoef);
    }

    // 2578 Hz is grid position 55: both fixed-Q sections are 3 dB down there.
    const auto& two = Evaluated(2, 2578, 12, 9).EQFFTData;
    const auto& three = Evaluated(3, 2578, -5, 0.1).EQFFTData;  // gain and Q unused
    EXPECT_NEAR(two[55], 157, 1);
    EXPECT_NEAR(three[55], 157, 1);
    EXPECT_NEAR(two[54], 148, 1);
    EXPECT_NEAR(two[56], 165, 1);
    EXPECT_NEAR(three[54], 165, 1);
    EXPECT_NEAR(three[56], 148, 1);
    // The slope constant is 1.414 as written, not sqrt 2.
    EXPECT_DOUBLE_EQ(Evaluated(2, 2578, 0, 1).DenCoef[0],
                     1 + std::sin(2 * 3.14159265358979 * 2578 / 48000) / 1.414);
}

TEST(FilterSection, UnknownCodesAndUnwrittenPositionsKeepTheirValues) {
    FilterSection section = Evaluated(1, 5000, 6, 2);
    section.EQFFTData[0] = 77;
    section.EQFFTData[512] = 78;
    section.EQFFTData[1023] = 79;
    const FilterSection before = section;
    EXPECT_EQ(section.EQCofficents(0, 1000, 12, 1), SectionStatus::UnknownTypeCode);
    EXPECT_EQ(section.EQCofficents(12, 1000, 12, 1), SectionStatus::UnknownTypeCode);
    ASSERT_EQ(section.EQFFT(), SectionStatus::Ok);
    EXPECT_EQ(section.NumCoef, before.NumCoef);
    EXPECT_EQ(section.EQFFTData, before.EQFFTData);  // the previous section's response again
}

TEST(FilterSection, BadInputsAreReportedAndChangeNothing) {
    FilterSection section = Evaluated(1, 1000, 3, 1);
    const FilterSection before = section;
    const double nan = std::nan("");
    const struct { int code; double f, g, q; SectionStatus status; } cases[] = {
        {1, 1000, 12, 0, SectionStatus::InvalidArgument},    {1, 1000, 12, -2, SectionStatus::InvalidArgument},
        {1, 1000, 12, nan, SectionStatus::InvalidArgument},  {1, 1000, INFINITY, 1, SectionStatus::InvalidArgument},
        {5, 1000, nan, 1, SectionStatus::InvalidArgument},   {3, 0, 0, 1, SectionStatus::InvalidArgument},
        {3, -100, 0, 1, SectionStatus::InvalidArgument},     {2, 24000, 0, 1, SectionStatus::InvalidArgument},
        {2, nan, 0, 1, SectionStatus::InvalidArgument},      {4, 1000, 20000, 1, SectionStatus::NotFinite},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(section.EQCofficents(c.code, c.f, c.g, c.q), c.status) << c.code << " " << c.f;
        ASSERT_EQ(section.NumCoef, before.NumCoef);
        ASSERT_EQ(section.DenCoef, before.DenCoef);
    }
    // Sections whose response overflows, divides by zero or reaches zero are refused whole.
    section.NumCoef = {1e200, 0, 0};
    EXPECT_EQ(section.EQFFT(), SectionStatus::NotFinite);
    section.NumCoef = {0, 0, 0};
    EXPECT_EQ(section.EQFFT(), SectionStatus::NotFinite);
    EXPECT_EQ(FilterSection().EQFFT(), SectionStatus::NotFinite);  // nothing designed yet
    EXPECT_EQ(section.EQFFTData, before.EQFFTData);
}

}  // namespace
}  // namespace sonavel
