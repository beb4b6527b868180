#include <gtest/gtest.h>

#include "response/PlotPositions.h"

namespace sonavel {
namespace {

TEST(PlotPositions, FrequencyPositionsAndPointAbscissas) {
    FilterSection section;
    PlotPositions positions;
    GetPresetFreqPosition(section, positions);
    const auto& pos = positions.PlotPos;
    // Reference positions of the band curves, the plot's landmarks and both ends.
    const std::pair<int, int> expected[] = {{173, 294}, {255, 427}, {261, 439}, {265, 447},
                                            {170, 291}, {72, 137},  {271, 457}, {0, 19},
                                            {300, 495}, {258, 433}, {259, 435}};
    for (auto [s, point] : expected) EXPECT_EQ(pos[s], point) << s;
    for (int s = 1; s <= 300; ++s) ASSERT_GE(pos[s], pos[s - 1]) << s;
    EXPECT_THROW(positions.pointOf(301), std::out_of_range);

    EXPECT_EQ(positions.PlotX[2 - 1], 716);
    EXPECT_EQ(positions.PlotX[6 - 1], 788);
    EXPECT_EQ(positions.PlotX[502 - 1], 9716);
    EXPECT_EQ(positions.PlotX[512 - 1], 9896);
}

}  // namespace
}  // namespace sonavel
