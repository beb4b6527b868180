// Start-up, the refreshes after a bulk change of the store, and the deferred redraw.
#include "HandlerFixture.h"
#include "model/BulkChange.h"

namespace sonavel {
namespace {

using StartupTest = HandlerTest;

TEST_F(StartupTest, NothingIsDrawnOrSentBeforeTheTwentyFirstTick) {
    EXPECT_EQ(Controls().loadSlots.entries().at(0), "User01");
    EXPECT_EQ(Channel(1).typeLists[0].position(), -1);
    EXPECT_FALSE(Controls().update.enabled());
    Controls().connect.Click();
    ClickUp(Channel(1).gainArrows[2]);
    Channel(1).typeLists[0].SetPosition(1);
    Channel(2).offBoxes[1].SetChecked(true);
    Ticks(20);
    EXPECT_EQ(editor.plot().drawCount(), 0u);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Store().EqGain(1, 3), 24);
    EXPECT_EQ(Store().EqType(1, 1), 1);

    editor.Tick();
    EXPECT_EQ(editor.plot().drawCount(), 2u);  // once per channel
    EXPECT_EQ(view.plotsShown, 2);
    EXPECT_TRUE(Sent().empty());    // a refresh sends nothing, even connected,
    EXPECT_TRUE(time.pauses.empty());  // and holds up nothing
    EXPECT_EQ(Channel(1).frequencyBoxes[0].text(), " 103Hz");
    Ticks(20);
    EXPECT_EQ(editor.plot().drawCount(), 2u);  // only one deferred refresh
    // The refresh's band messages, held back, count as unanswered: the unit is polled.
    Ticks(22);
    ASSERT_FALSE(Sent().empty());
    EXPECT_EQ(Sent()[0], Hex("01 20 03 40 09 0B 01 05 60"));
}

class ControlRefreshTest : public EditingTest {
protected:
    ControlRefreshTest() { InitDSPPremeter(unit); }
    // The unit's settings read and shown, as "Update" does.
    void ReadUnit() {
        port.SetResponder(UnitHolding(unit));
        Controls().update.Click();
        port.ClearWritten();
    }
    ParameterStore unit;
};

TEST_F(ControlRefreshTest, ABulkRefreshShowsTheStoreAndSendsNothing) {
    unit.EqType(2, 4) = 4;
    unit.EqType(2, 5) = 5;
    unit.EqByPass(2, 1) = 1;
    unit.HpType(1) = 4;
    unit.GainLevel(2) = 0;
    ReadUnit();
    EXPECT_TRUE(time.pauses.empty()) << "nothing written, nothing paced";
    EXPECT_FALSE(Channel(2).qArrows[3].enabled());  // shelves have no Q
    EXPECT_EQ(Channel(2).typeLists[3].position(), 1);
    EXPECT_EQ(Channel(2).typeLists[4].position(), 2);
    EXPECT_TRUE(Channel(2).offBoxes[0].checked());
    EXPECT_EQ(Store().EqType(1, 7), 10);
    EXPECT_EQ(Channel(2).inputGainBox.text(), "Mute");
    ClickUp(Channel(1).gainArrows[0]);
    EXPECT_EQ(Sent().size(), 1u);  // editing works again
}

TEST_F(ControlRefreshTest, EachMuteBoxFollowsItsOwnChannel) {
    unit.GainLevel(3) = 100;
    unit.GainLevel(4) = 0;
    ReadUnit();
    EXPECT_FALSE(Channel(1).mute.checked());
    EXPECT_TRUE(Channel(2).mute.checked());
    EXPECT_EQ(Store().OutputLevel(1), 100);
    unit.GainLevel(3) = 0;
    unit.GainLevel(4) = 110;  // unmuted at its own level, not at 0 dB
    ReadUnit();
    EXPECT_TRUE(Channel(1).mute.checked());
    EXPECT_FALSE(Channel(2).mute.checked());
    EXPECT_EQ(Store().OutputLevel(2), 110);
}

// Paints, exposes and resizes in one burst are one redraw on the second tick after them,
// which re-sends the current band.
TEST_F(ControlRefreshTest, UncoveringThePlotRedrawsAndResendsTheCurrentBandOnce) {
    ClickUp(Channel(1).gainArrows[2]);
    port.ClearWritten();
    const unsigned long drawn = editor.plot().drawCount();
    for (int paint = 0; paint < 3; ++paint) editor.PlotUncovered();
    editor.Tick();
    EXPECT_EQ(editor.plot().drawCount(), drawn);
    editor.Tick();
    EXPECT_EQ(editor.plot().drawCount(), drawn + 1);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0][7], 3);
    Ticks(5);
    EXPECT_EQ(editor.plot().drawCount(), drawn + 1);
}

}  // namespace
}  // namespace sonavel
