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
    // The same after setting the band's gain and its type, or for bands 6 and 7 its list position.
    const Curve& Build(int band, int typeOrList, double gain = 12) {
        if (band >= kLowPassBand) SetCrossoverListPosition(store, 1, band, typeOrList);
        else store.EqType(1, band) = static_cast<int16_t>(typeOrList);
        store.EqGainDb(1, band) = gain;
        return Build(band);
    }
    ResponsePlot plot;
    ParameterStore store = FlatStore();
};

TEST_F(BandSynthesis, WorkedExamplesAndReferenceCurvesReadBackwards) {
    ASSERT_TRUE(plot.references().PeakTemplatesStale());
    const Curve boost = Build(2, 1);  // Q position 35
    EXPECT_FALSE(plot.references().PeakTemplatesStale());  // built on first use only
    EXPECT_TRUE(plot.references().ShelfTemplateStale());
    EXPECT_EQ(Lowest(boost, 1, 510).first, 291);
    EXPECT_NEAR(Lowest(boost, 1, 510).second, -624, 0.5);
    for (int i = 1; i <= 510; ++i) ASSERT_EQ(At(Build(2, 1, -12), i), -At(boost, i)) << i;
    EXPECT_NEAR(Lowest(Build(2, 1, 6), 1, 510).second, -312, 0.5);
    for (int type : {1, 4, 5})
        for (double v : Build(2, type, 0)) ASSERT_EQ(v, 0.0) << type;

    // Band, type (bands 1..5, +12 dB) or list position (bands 6, 7), point and value there.
    const struct { int band, typeOrList, point; double value; } examples[] = {
        {2, 5, 20, -625}, {2, 5, 100, -625}, {2, 5, 291, -312}, {2, 5, 400, 0}, {2, 5, 500, 0},  // low shelf
        {2, 4, 20, -19},  {2, 4, 100, -11},  {2, 4, 291, -312}, {2, 4, 400, -597}, {2, 4, 500, -597},
        {6, 1, 291, 63},  {6, 1, 311, 157},  {6, 5, 295, 157},  // Butterworth: -3 dB 20 or 4 points above
        {7, 1, 291, 52},  {7, 1, 271, 146},  {7, 1, 251, 383},  {7, 4, 284, -98}, {6, 4, 298, -90}, {6, 4, 331, 280}};
    for (auto [band, typeOrList, point, value] : examples)
        EXPECT_NEAR(At(Build(band, typeOrList), point), value, 1) << band << " " << typeOrList << " " << point;

    const Curve& chebyHigh = Build(kHighPassBand, 4);  // code 10: (0 + 20) x 1.4 far above the corner
    EXPECT_EQ(Lowest(chebyHigh, 2, 509).first, 284);
    for (int i = 450; i <= 509; ++i) ASSERT_NEAR(At(chebyHigh, i), 28, 0.5) << i;
    const Curve& chebyLow = Build(kLowPassBand, 4);  // code 11: cleared up to its first boost
    EXPECT_EQ(Lowest(chebyLow, 2, 509).first, 298);
    int firstBoost = 2;
    while (At(chebyLow, firstBoost) >= 0) ++firstBoost;
    for (int i = 2; i < firstBoost; ++i) ASSERT_EQ(At(chebyLow, i), 0.0) << i;

    // Q position 0 draws Q 0.6 (1.5 x 0.4) at 173, where nothing slides; the Linkwitz-Riley
    // -12dB/oct low-pass (code 7) is designed at 265 and drawn from its reference point 427 (255).
    store.EqQFactor(1, 4) = 0;
    store.EqFreqPosition(1, 4) = 173;
    store.EqFreqPosition(1, kLowPassBand) = 255;
    const struct { int band, typeOrList, code, designedAt; double q, tolerance; } cases[] = {
        {4, 1, 1, 173, 0.6, 1e-9}, {6, 3, 7, 265, 1, 0}};  // the crossover is not scaled
    for (auto [band, typeOrList, code, designedAt, q, tolerance] : cases) {
        FilterSection reference;
        ASSERT_EQ(reference.EQCofficents(code, FregDataB[designedAt], 12, q), SectionStatus::Ok);
        ASSERT_EQ(reference.EQFFT(), SectionStatus::Ok);
        const Curve& curve = Build(band, typeOrList);
        for (int i = 2; i <= 509; ++i) ASSERT_NEAR(At(curve, i), reference.EQFFTData[510 - i], tolerance) << band << " " << i;
    }
}

TEST_F(BandSynthesis, StoreRulesFlatCodesAndClamping) {
    store.EqByPass(1, 3) = 1;
    for (double v : Build(3, 1)) ASSERT_EQ(v, 0.0);
    store.EqType(1, kLowPassBand) = 3;  // the list says ByPass, whatever the code
    for (double v : Build(kLowPassBand)) ASSERT_EQ(v, 0.0);

    // Corners at point 435 (position 259) or beyond: points 1..100 are 4338 on the high-pass
    // slot, 0 on the low-pass slot; at point 433 (position 258) they are not.
    store.EqFreqPosition(1, kHighPassBand) = store.EqFreqPosition(1, kLowPassBand) = 259;
    const Curve &farHigh = Build(kHighPassBand, 1), &farLow = Build(kLowPassBand, 1);
    for (int i = 1; i <= 100; ++i) ASSERT_TRUE(At(farHigh, i) == 4338.0 && At(farLow, i) == 0.0) << i;
    EXPECT_NE(At(farHigh, 101), 4338.0);
    store.EqFreqPosition(1, kHighPassBand) = 258;
    const Curve& nearHigh = Build(kHighPassBand);
    for (int i = 2; i <= 100; ++i) ASSERT_TRUE(At(nearHigh, i) > 624 && At(nearHigh, i) != 4338.0) << i;

    // Codes that fit no case, worked through with a zero curve: only the lift and corrections remain.
    const std::pair<int, double> flat[] = {{0, 0},   {3, 0},   {7, 0},   {9, 0},  {12, 0},
                                           {2, -11}, {6, -50}, {8, -30}, {11, 50}, {10, 98}};
    for (auto [type, level] : flat) {
        const Curve& curve = Build(5, type);
        for (int i = 2; i <= 509; ++i) ASSERT_NEAR(At(curve, i), level, 1e-9) << type << " " << i;
    }

    store.EqFreqPosition(1, 1) = 300;
    store.EqQFactor(1, 1) = 0;
    const Curve clamped = Build(1, 1);
    store.EqFreqPosition(1, 1) = 1200;
    store.EqQFactor(1, 1) = -3;
    EXPECT_EQ(Build(1), clamped);
    EXPECT_EQ(Build(1, 1, std::nan("")), Curve{});  // flat rather than poisoning the channel sum
}

TEST(CrossoverCaching, CachedCurvesDrawTheSameAsRebuiltOnes) {
    ResponsePlot cached(CrossoverCaching::Cached), rebuilt(CrossoverCaching::RebuildEachUse);
    ParameterStore store = FlatStore();
    for (int band : {kLowPassBand, kHighPassBand})
        for (int list = 1; list <= 8; ++list)
            for (int16_t position : {0, 100, 170, 255, 265, 300}) {
                SetCrossoverListPosition(store, 2, band, list);
                store.EqFreqPosition(2, band) = position;
                cached.EQFFTDraw(store, 2, band);
                rebuilt.EQFFTDraw(store, 2, band);
                ASSERT_EQ(cached.BandCurve(2, band), rebuilt.BandCurve(2, band)) << band << " " << list << " " << position;
            }
}

}  // namespace
}  // namespace sonavel
