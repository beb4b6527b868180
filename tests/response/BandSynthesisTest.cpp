#include <gtest/gtest.h>

#include <cmath>

#include "model/ScaleTables.h"
#include "tests/response/TestStores.h"

namespace sonavel {
namespace {

using testing::FlatStore;
using testing::Lowest;

class BandSynthesis : public ::testing::Test {
protected:
    // The curve of channel 1's band built from `store`, with drawing off.
    const Curve& Build(int band) {
        plot.EQFFTDraw(store, 1, band);
        return plot.BandCurve(1, band);
    }
    ResponsePlot plot;
    ParameterStore store = FlatStore();
};

TEST_F(BandSynthesis, PeaksAndShelves) {
    store.EqGainDb(1, 2) = 12;
    ASSERT_TRUE(plot.references().PeakTemplatesStale());
    const Curve boost = Build(2);
    EXPECT_FALSE(plot.references().PeakTemplatesStale());  // built on first use only
    EXPECT_TRUE(plot.references().ShelfTemplateStale());
    EXPECT_EQ(Lowest(boost, 1, 510).first, 291);  // frequency position 170, Q position 35
    EXPECT_NEAR(Lowest(boost, 1, 510).second, -624, 0.5);
    store.EqGainDb(1, 2) = -12;
    for (int i = 1; i <= 510; ++i) ASSERT_EQ(At(Build(2), i), -At(boost, i)) << i;
    store.EqGainDb(1, 2) = 6;
    EXPECT_NEAR(Lowest(Build(2), 1, 510).second, -312, 0.5);

    store.EqGainDb(1, 2) = 12;
    store.EqType(1, 2) = 5;  // low shelf
    const Curve low = Build(2);
    const double lowExpected[][2] = {{20, -625}, {100, -625}, {291, -312}, {400, 0}, {500, 0}};
    for (auto [point, value] : lowExpected) EXPECT_NEAR(At(low, point), value, 1) << point;
    store.EqType(1, 2) = 4;  // high shelf: the low shelf's reference reflected
    const Curve high = Build(2);
    const double highExpected[][2] = {{20, -19}, {100, -11}, {291, -312}, {400, -597}, {500, -597}};
    for (auto [point, value] : highExpected) EXPECT_NEAR(At(high, point), value, 1) << point;

    store.EqGainDb(1, 2) = 0;
    for (int type : {1, 4, 5}) {
        store.EqType(1, 2) = static_cast<int16_t>(type);
        for (double v : Build(2)) ASSERT_EQ(v, 0.0) << type;
    }
}

TEST_F(BandSynthesis, ReferenceCurvesAreReadBackwards) {
    // Q position 0 draws Q 0.6 (1.5 x 0.4); at frequency position 173 nothing slides.
    FilterSection peak;
    ASSERT_EQ(peak.EQCofficents(1, FregDataB[173], 12, 0.6), SectionStatus::Ok);
    ASSERT_EQ(peak.EQFFT(), SectionStatus::Ok);
    store.EqQFactor(1, 4) = 0;
    store.EqGainDb(1, 4) = 12;
    store.EqFreqPosition(1, 4) = 173;
    for (int i = 2; i <= 509; ++i) ASSERT_NEAR(At(Build(4), i), peak.EQFFTData[510 - i], 1e-9) << i;

    // Linkwitz-Riley -12dB/oct low-pass (code 7) at its reference point 427 (position 255).
    FilterSection crossover;
    ASSERT_EQ(crossover.EQCofficents(7, FregDataB[265], 0, 1), SectionStatus::Ok);
    ASSERT_EQ(crossover.EQFFT(), SectionStatus::Ok);
    SetCrossoverListPosition(store, 1, kLowPassBand, 3);
    store.EqFreqPosition(1, kLowPassBand) = 255;
    for (int i = 2; i <= 509; ++i)
        ASSERT_DOUBLE_EQ(At(Build(kLowPassBand), i), crossover.EQFFTData[510 - i]) << i;
}

TEST_F(BandSynthesis, CrossoversAndTheirAnchors) {
    SetCrossoverListPosition(store, 1, kLowPassBand, 1);  // Butterworth -12dB/oct, code 3
    EXPECT_NEAR(At(Build(kLowPassBand), 291), 63, 1);
    EXPECT_NEAR(At(Build(kLowPassBand), 311), 157, 1);  // -3 dB 20 points above the band
    SetCrossoverListPosition(store, 1, kLowPassBand, 5);  // -24dB/oct: anchored 4 points above
    EXPECT_NEAR(At(Build(kLowPassBand), 295), 157, 1);

    SetCrossoverListPosition(store, 1, kHighPassBand, 1);  // code 2
    const Curve& highPass = Build(kHighPassBand);
    EXPECT_NEAR(At(highPass, 291), 52, 1);
    EXPECT_NEAR(At(highPass, 271), 146, 1);
    EXPECT_NEAR(At(highPass, 251), 383, 1);

    SetCrossoverListPosition(store, 1, kHighPassBand, 4);  // Chebychev, code 10
    const Curve& chebyHigh = Build(kHighPassBand);
    EXPECT_EQ(Lowest(chebyHigh, 2, 509).first, 284);
    EXPECT_NEAR(Lowest(chebyHigh, 2, 509).second, -98, 1);
    for (int i = 450; i <= 509; ++i) ASSERT_NEAR(At(chebyHigh, i), 28, 0.5) << i;

    SetCrossoverListPosition(store, 1, kLowPassBand, 4);  // code 11
    const Curve& chebyLow = Build(kLowPassBand);
    int firstBoost = 2;
    while (At(chebyLow, firstBoost) >= 0) ++firstBoost;
    for (int i = 2; i < firstBoost; ++i) ASSERT_EQ(At(chebyLow, i), 0.0) << i;
    EXPECT_EQ(Lowest(chebyLow, 2, 509).first, 298);
    EXPECT_NEAR(Lowest(chebyLow, 2, 509).second, -90, 1);
    EXPECT_NEAR(At(chebyLow, 331), 280, 1);
}

TEST_F(BandSynthesis, StoreRules) {
    store.EqGainDb(1, 3) = 12;
    store.EqByPass(1, 3) = 1;
    for (double v : Build(3)) ASSERT_EQ(v, 0.0);
    store.EqType(1, kLowPassBand) = 3;  // the list says ByPass, whatever the code
    for (double v : Build(kLowPassBand)) ASSERT_EQ(v, 0.0);

    // Corners at plot point 435 (position 259) or beyond: points 1..100 are 4338 for the
    // high-pass slot, 0 for the low-pass slot; at point 433 (position 258) they are not.
    SetCrossoverListPosition(store, 1, kHighPassBand, 1);
    SetCrossoverListPosition(store, 1, kLowPassBand, 1);
    store.EqFreqPosition(1, kHighPassBand) = store.EqFreqPosition(1, kLowPassBand) = 259;
    for (int i = 1; i <= 100; ++i) ASSERT_EQ(At(Build(kHighPassBand), i), 4338.0) << i;
    EXPECT_NE(At(Build(kHighPassBand), 101), 4338.0);
    for (int i = 1; i <= 100; ++i) ASSERT_EQ(At(Build(kLowPassBand), i), 0.0) << i;
    store.EqFreqPosition(1, kHighPassBand) = 258;
    for (int i = 2; i <= 100; ++i) ASSERT_GT(At(Build(kHighPassBand), i), 624) << i;
    EXPECT_NE(At(Build(kHighPassBand), 50), 4338.0);
}

TEST_F(BandSynthesis, CodesWithoutAReferenceGiveFlatCurves) {
    // Worked through the steps with a zero curve: only the lift and the corrections remain.
    const std::pair<int, double> expected[] = {{0, 0},   {3, 0},   {7, 0},   {9, 0},  {12, 0},
                                               {2, -11}, {6, -50}, {8, -30}, {11, 50}, {10, 98}};
    store.EqGainDb(1, 5) = 12;
    for (auto [type, level] : expected) {
        store.EqType(1, 5) = static_cast<int16_t>(type);
        for (int i = 2; i <= 509; ++i) ASSERT_NEAR(At(Build(5), i), level, 1e-9) << type << " " << i;
    }
}

TEST_F(BandSynthesis, StoreValuesOutsideTheTablesAreClamped) {
    store.EqGainDb(1, 1) = 12;
    store.EqFreqPosition(1, 1) = 300;
    store.EqQFactor(1, 1) = 0;
    const Curve clamped = Build(1);
    store.EqFreqPosition(1, 1) = 1200;
    store.EqQFactor(1, 1) = -3;
    EXPECT_EQ(Build(1), clamped);
    store.EqGainDb(1, 1) = std::nan("");  // drawn flat rather than poisoning the channel sum
    EXPECT_EQ(Build(1), Curve{});
}

TEST(CrossoverCaching, CachedCurvesDrawTheSameAsRebuiltOnes) {
    ResponsePlot cached({}, CrossoverCaching::Cached);
    ResponsePlot rebuilt({}, CrossoverCaching::RebuildEachUse);
    ParameterStore store = FlatStore();
    for (int band : {kLowPassBand, kHighPassBand}) {
        for (int list = 1; list <= 8; ++list) {
            for (int16_t position : {0, 100, 170, 255, 265, 300}) {
                SetCrossoverListPosition(store, 2, band, list);
                store.EqFreqPosition(2, band) = position;
                cached.EQFFTDraw(store, 2, band);
                rebuilt.EQFFTDraw(store, 2, band);
                ASSERT_EQ(cached.BandCurve(2, band), rebuilt.BandCurve(2, band))
                    << band << " " << list << " " << position;
            }
        }
    }
}

}  // namespace
}  // namespace sonavel
