#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/ScaleTables.h"
#include "response/ResponsePlot.h"

namespace sonavel {
namespace {

class ResponsePlotTest : public ::testing::Test {
protected:
    // Start-up values with every equalizer band at 0 dB and frequency position 170 (1000 Hz),
    // both crossover lists on "ByPass"; bands 6 and 7 carry the gain the control refresh gives them.
    ResponsePlotTest() {
        InitDSPPremeter(store);
        for (int channel = 1; channel <= kChannelCount; ++channel) {
            for (int band = 1; band <= kBandCount; ++band) {
                store.EqGainDb(channel, band) = band <= kEqBandCount ? 0.0 : 24.0;
                store.EqFreqPosition(channel, band) = 170;
            }
            store.LpType(channel) = store.HpType(channel) = 0;
        }
    }
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
    ParameterStore store;
};

TEST_F(ResponsePlotTest, BandCurvesWorkedExamplesAndReferenceCurvesReadBackwards) {
    // Band, type (bands 1..5, +12 dB) or list position (bands 6, 7), point and value there.
    const struct { int band, typeOrList, point; double value; } examples[] = {
        {2, 1, 291, -624}, {2, 5, 20, -625}, {2, 5, 291, -312}, {2, 4, 20, -19}, {2, 4, 400, -597},  // peak, shelves
        {6, 1, 311, 157},  {6, 5, 295, 157}, {7, 1, 271, 146},  // Butterworth: -3 dB 20 or 4 points above
        {7, 4, 284, -98},  {6, 4, 331, 280}, {6, 4, 100, 0}};   // Chebychev; the low-pass cleared up to its first boost
    for (auto [band, typeOrList, point, value] : examples)
        EXPECT_NEAR(At(Build(band, typeOrList), point), value, 1) << band << " " << typeOrList << " " << point;

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

TEST_F(ResponsePlotTest, BandCurvesStoreRulesFlatCodesAndClamping) {
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
    EXPECT_NE(At(Build(kHighPassBand), 50), 4338.0);

    // Codes that fit no case, worked through with a zero curve: only the lift and corrections remain.
    const std::pair<int, double> flat[] = {{0, 0}, {3, 0}, {12, 0}, {2, -11}, {6, -50}, {8, -30}, {11, 50}, {10, 98}};
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

TEST_F(ResponsePlotTest, PositionTableFollowsTheFrequencyTable) {
    const PlotPositions& positions = plot.positions();
    // Reference positions of the band curves, the plot's landmarks and both ends.
    const std::pair<int, int> expected[] = {{173, 294}, {255, 427}, {261, 439}, {265, 447}, {170, 291}, {72, 137},
                                            {271, 457}, {0, 19},    {300, 495}, {258, 433}, {259, 435}};
    for (auto [s, point] : expected) EXPECT_EQ(positions.PlotPos[s], point) << s;
    for (int s = 1; s <= 300; ++s) ASSERT_GE(positions.PlotPos[s], positions.PlotPos[s - 1]) << s;
}

TEST_F(ResponsePlotTest, FlatLinesEndSegmentsEditGateBadBandsAndClipping) {
    plot.RefreshAllBands(store);
    const auto& segments = plot.segments();
    ASSERT_EQ(segments.size(), 2u * 498);  // segments ending at points 6..503
    EXPECT_TRUE(segments[497].channel == 1 && segments[498].channel == 2);  // channel 2 over channel 1
    for (const PlotSegment& s : segments) ASSERT_TRUE(s.y1 == 1320 && s.y2 == 1320);

    store.EqType(2, 1) = 5;  // channel 2: a low shelf, so that the two ends of the curve differ
    store.EqGainDb(2, 1) = -6;
    plot.DoEQFFTDraw(store, true, 2, 1);
    const Curve& sum = plot.SumCurve(2);
    EXPECT_EQ(segments[498], (PlotSegment{2, 780, 1320 + At(sum, 5), 788, 1320 + At(sum, 6)}));
    EXPECT_EQ(segments.back(), (PlotSegment{2, 9716, 1320 + At(sum, 502), 9720, 1320 + At(sum, 503)}));
    EXPECT_GT(segments[498].y1, 1600);  // the shelf's -6 dB

    const auto drawn = plot.drawCount();
    store.EqGainDb(2, 5) = -12;
    plot.DoEQFFTDraw(store, false, 2, 5);  // gate closed: nothing at all
    EXPECT_EQ(At(plot.BandCurve(2, 5), 291), 0.0);
    EXPECT_THROW(plot.DoEQFFTDraw(store, false, 3, 1), std::out_of_range);
    EXPECT_THROW(plot.DoEQFFTDraw(store, true, 1, 0), std::out_of_range);
    EXPECT_EQ(plot.drawCount(), drawn);

    store.EqGainDb(1, 1) = store.EqGainDb(1, 2) = 12;  // +24 dB at point 291: y = 72
    plot.RefreshAllBands(store);
    const Curve& boost = plot.SumCurve(1);
    int a = 291, b = 291;  // the run of points above the top edge
    while (1320 + At(boost, a - 1) < 80) --a;
    while (1320 + At(boost, b + 1) < 80) ++b;
    ASSERT_LT(a, b);
    const double xa = 18 * a + 680, xb = 18 * b + 680;
    int crossings = 0;
    for (const PlotSegment& s : segments) {
        if (s.channel != 1) continue;
        ASSERT_GE(std::min(s.y1, s.y2), 80);
        ASSERT_FALSE(s.x2 > xa && s.x2 <= xb) << "drawn wholly above the edge: " << s.x2;
        if (s.x2 == xa) crossings += s.y2 == 80 && s.y1 == 1320 + At(boost, a - 1);
        if (s.x1 == xb) crossings += s.y1 == 80 && s.x2 == xb + 18;
    }
    EXPECT_EQ(crossings, 2);

    // The bottom edge moves the end below it; a corner crossing moves x, then y.
    const SegmentEnds down = ClipSegment({1000, 2500, 1018, 2700});
    EXPECT_TRUE(down.x2 == 1018 && down.y2 == 2580);
    const SegmentEnds corner = ClipSegment({9710, 100, 9728, 60});
    EXPECT_TRUE(corner.x1 == 9710 && corner.y1 == 100 && corner.x2 == 9720 && corner.y2 == 80);

    Curve poisoned{};
    At(poisoned, 300) = std::nan("");
    std::vector<PlotSegment> unpoisoned;
    AppendChannelSegments(1, poisoned, plot.positions().PlotX, unpoisoned);
    EXPECT_EQ(unpoisoned.size(), 498u - 2);  // neither stretch touching point 300
    for (const PlotSegment& s : unpoisoned) ASSERT_TRUE(s.x2 != PlotXOf(300) && s.x1 != PlotXOf(300));
}

}  // namespace
}  // namespace sonavel
