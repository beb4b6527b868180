#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "tests/response/TestStores.h"

namespace sonavel {
namespace {

using testing::FlatStore;

std::vector<PlotSegment> SegmentsOf(const ResponsePlot& plot, int channel) {
    std::vector<PlotSegment> result;
    for (const PlotSegment& s : plot.segments())
        if (s.channel == channel) result.push_back(s);
    return result;
}

TEST(ResponsePlot, PositionTableFollowsTheFrequencyTable) {
    const ResponsePlot plot;
    const PlotPositions& positions = plot.positions();
    // Reference positions of the band curves, the plot's landmarks and both ends.
    const std::pair<int, int> expected[] = {{173, 294}, {255, 427}, {261, 439}, {265, 447}, {170, 291}, {72, 137},
                                            {271, 457}, {0, 19},    {300, 495}, {258, 433}, {259, 435}};
    for (auto [s, point] : expected) EXPECT_EQ(positions.PlotPos[s], point) << s;
    for (int s = 1; s <= 300; ++s) ASSERT_GE(positions.PlotPos[s], positions.PlotPos[s - 1]) << s;
}

TEST(ResponsePlot, FlatLinesAndEndSegments) {
    ResponsePlot plot;
    ParameterStore store = FlatStore();
    plot.RefreshAllBands(store);
    ASSERT_EQ(plot.segments().size(), 2u * 498);  // segments ending at points 6..503
    EXPECT_EQ(plot.segments()[497].channel, 1);    // channel 1 first, channel 2 over it
    EXPECT_EQ(plot.segments()[498].channel, 2);
    for (const PlotSegment& s : plot.segments()) ASSERT_TRUE(s.y1 == 1320 && s.y2 == 1320);

    store.EqType(2, 1) = 5;  // channel 2: a low shelf, so that the two ends of the curve differ
    store.EqGainDb(2, 1) = -6;
    plot.RefreshAllBands(store);
    const Curve& sum = plot.SumCurve(2);
    const auto line = SegmentsOf(plot, 2);
    EXPECT_EQ(line.front(), (PlotSegment{2, 780, 1320 + At(sum, 5), 788, 1320 + At(sum, 6)}));
    EXPECT_EQ(line.back(), (PlotSegment{2, 9716, 1320 + At(sum, 502), 9720, 1320 + At(sum, 503)}));
    EXPECT_GT(line.front().y1, 1600);  // the shelf's -6 dB
}

TEST(ResponsePlot, ClippingAtTheEdgesAndValuesThatAreNotNumbers) {
    ResponsePlot plot;
    ParameterStore store = FlatStore();
    store.EqGainDb(1, 1) = store.EqGainDb(1, 2) = 12;  // +24 dB at point 291: y = 72
    plot.RefreshAllBands(store);
    const Curve& sum = plot.SumCurve(1);
    int a = 291, b = 291;  // the run of points above the top edge
    while (1320 + At(sum, a - 1) < 80) --a;
    while (1320 + At(sum, b + 1) < 80) ++b;
    ASSERT_LT(a, b);
    const double xa = 18 * a + 680, xb = 18 * b + 680;
    int crossings = 0;
    for (const PlotSegment& s : SegmentsOf(plot, 1)) {
        ASSERT_GE(std::min(s.y1, s.y2), 80);
        ASSERT_FALSE(s.x2 > xa && s.x2 <= xb) << "drawn wholly above the edge: " << s.x2;
        if (s.x2 == xa) crossings += s.y2 == 80 && s.y1 == 1320 + At(sum, a - 1);
        if (s.x1 == xb) crossings += s.y1 == 80 && s.x2 == xb + 18;
    }
    EXPECT_EQ(crossings, 2);

    // The bottom edge moves the end below it; a corner crossing moves x, then y.
    const SegmentEnds down = ClipSegment({1000, 2500, 1018, 2700});
    EXPECT_TRUE(down.x2 == 1018 && down.y2 == 2580);
    EXPECT_FALSE(InsideDrawWindow(ClipSegment({1000, 2600, 1018, 2650}).x2, 2650));
    const SegmentEnds corner = ClipSegment({9710, 100, 9728, 60});
    EXPECT_TRUE(corner.x1 == 9710 && corner.y1 == 100 && corner.x2 == 9720 && corner.y2 == 80);

    Curve poisoned{};
    At(poisoned, 300) = std::nan("");
    std::vector<PlotSegment> segments;
    AppendChannelSegments(1, poisoned, plot.positions().PlotX, segments);
    EXPECT_EQ(segments.size(), 498u - 2);  // neither stretch touching point 300
    for (const PlotSegment& s : segments) ASSERT_TRUE(s.x2 != PlotXOf(300) && s.x1 != PlotXOf(300));
}

TEST(ResponsePlot, EditGateAndDrawingSwitch) {
    ResponsePlot plot;
    ParameterStore store = FlatStore();
    plot.RefreshAllBands(store);  // 14 bands without drawing, then (1, 7) and (2, 7) drawn
    EXPECT_EQ(plot.drawCount(), 2u);

    store.EqGainDb(2, 5) = -12;
    const auto before = plot.segments();
    plot.DoEQFFTDraw(store, false, 2, 5);  // gate closed: nothing at all
    EXPECT_EQ(plot.segments(), before);
    EXPECT_EQ(At(plot.BandCurve(2, 5), 291), 0.0);
    plot.DoEQFFTDraw(store, true, 2, 5);
    EXPECT_EQ(plot.drawCount(), 3u);
    EXPECT_NE(plot.segments(), before);
    EXPECT_THROW(plot.DoEQFFTDraw(store, false, 3, 1), std::out_of_range);
    EXPECT_THROW(plot.DoEQFFTDraw(store, true, 1, 0), std::out_of_range);
    EXPECT_EQ(plot.drawCount(), 3u);
}

}  // namespace
}  // namespace sonavel
