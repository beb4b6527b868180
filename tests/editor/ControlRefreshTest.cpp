// The refreshes after a bulk change of the store.
#include "EditorFixture.h"
#include "model/BulkChange.h"

namespace sonavel {
namespace {

class ControlRefreshTest : public EditingTest {
protected:
    // As after a preset load or a read: the store brought in line, then shown.
    void BulkRefresh() {
        BringStoreInLine(window->store());
        window->UpDateDraw();
        window->UpDateEQDis();
    }
};

TEST_F(ControlRefreshTest, FirstRefreshShowsTheDefaults) {
    const ParameterStore& store = window->store();
    EXPECT_EQ(Arrows("VScroll3_2")->value(), 19180);
    EXPECT_EQ(Text("Text1_2"), " 1000Hz");
    EXPECT_EQ(store.EqFreqPosition(1, 3), 169);
    EXPECT_EQ(store.EqGainDb(2, 6), 24.0);
    EXPECT_EQ(store.EqQValue(1, 7), 0.8);
    // The crossover lists rewrite the filter codes; bypassed slots keep their start-up code.
    EXPECT_EQ(List("Combo1_0")->listIndex(), 5);
    EXPECT_EQ(List("Combo1_1")->listIndex(), 0);
    const std::array<int, 3> types = {store.EqType(1, 7), store.EqType(2, 6), store.EqType(2, 7)};
    EXPECT_EQ(types, (std::array<int, 3>{3, 2, 2}));
}

TEST_F(ControlRefreshTest, BulkRefreshShowsTheStoreAndSendsNothing) {
    ParameterStore& store = window->store();
    store.EqType(2, 4) = 4;
    store.EqType(2, 5) = 5;
    store.EqByPass(2, 1) = 1;
    store.HpType(1) = 4;
    store.GainLevel(2) = 0;
    BulkRefresh();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(sleeper.sleptMs, 0) << "nothing written, nothing paced";
    EXPECT_FALSE(Arrows("VScroll11_3")->isEnabled());  // shelves have no Q
    EXPECT_EQ(List("Combo3_3")->listIndex(), 1);
    EXPECT_EQ(List("Combo3_4")->listIndex(), 2);
    EXPECT_TRUE(Box("Check4_0")->isChecked());
    EXPECT_EQ(store.EqType(1, 7), 10);
    EXPECT_EQ(Text("Text6_1"), "Mute");
    ClickUp(Arrows("VScroll2_0"));
    EXPECT_EQ(Sent().size(), 1u);  // editing works again

    window->UpDateDraw();  // alone, it leaves equalizer edits off until the full refresh
    ClickUp(Arrows("VScroll2_0"));
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(ControlRefreshTest, EachMuteBoxFollowsItsOwnChannel) {
    ParameterStore& store = window->store();
    store.GainLevel(3) = 100;
    store.GainLevel(4) = 0;
    BulkRefresh();
    EXPECT_FALSE(Box("Check7_0")->isChecked());
    EXPECT_TRUE(Box("Check7_1")->isChecked());
    EXPECT_EQ(store.OutputLevel(1), 100);
    store.GainLevel(3) = 0;
    store.GainLevel(4) = 110;  // unmuted at its own level, not at 0 dB
    BulkRefresh();
    EXPECT_TRUE(Box("Check7_0")->isChecked());
    EXPECT_FALSE(Box("Check7_1")->isChecked());
    EXPECT_EQ(store.OutputLevel(2), 110);
}

}  // namespace
}  // namespace sonavel
