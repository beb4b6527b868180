// Start-up and the deferred redraw of the plot.
#include "HandlerFixture.h"

namespace sonavel {
namespace {

using StartupTest = HandlerTest;

TEST_F(StartupTest, NothingIsDrawnOrSentBeforeTheTwentyFirstTick) {
    Controls().connect.Click();
    ClickUp(Channel(1).gainArrows[2]);
    Ticks(20);
    EXPECT_EQ(editor.plot().drawCount(), 0u);
    EXPECT_EQ(Store().EqGain(1, 3), 24);

    editor.Tick();
    EXPECT_EQ(editor.plot().drawCount(), 2u);  // once per channel
    Ticks(20);
    EXPECT_EQ(editor.plot().drawCount(), 2u);  // only one deferred refresh
    EXPECT_TRUE(Sent().empty());       // a refresh sends nothing, even connected,
    EXPECT_TRUE(time.pauses.empty());  // and holds up nothing
    // The refresh's band messages, held back, count as unanswered: the unit is polled.
    Ticks(22);
    ASSERT_FALSE(Sent().empty());
    EXPECT_EQ(Sent()[0], PresenceQuery(1));
}

using PlotRedrawTest = EditingTest;

// Paints, exposes and resizes in one burst are one redraw on the second tick after them,
// which re-sends the current band.
TEST_F(PlotRedrawTest, UncoveringThePlotRedrawsAndResendsTheCurrentBandOnce) {
    ClickUp(Channel(1).gainArrows[2]);
    port.ClearWritten();
    const unsigned long drawn = editor.plot().drawCount();
    for (int paint = 0; paint < 3; ++paint) editor.PlotUncovered();
    editor.Tick();
    EXPECT_EQ(editor.plot().drawCount(), drawn);
    editor.Tick();
    EXPECT_EQ(editor.plot().drawCount(), drawn + 1);
    Ticks(5);
    EXPECT_EQ(editor.plot().drawCount(), drawn + 1);
    EXPECT_EQ(Sent(), std::vector<Bytes>{EqBandMessage(Store(), 1, 3, 1)});
}

}  // namespace
}  // namespace sonavel
