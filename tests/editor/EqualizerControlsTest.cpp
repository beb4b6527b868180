// Equalizer band and crossover controls after the first refresh: store, plot and message.
#include <QElapsedTimer>

#include "EditorFixture.h"
#include "link/Sleeper.h"
#include "model/ScaleTables.h"

namespace sonavel {
namespace {

class EqualizerControlsTest : public EditorTest {
protected:
    void SetUp() override {
        RunFirstRefresh();
        ConnectLink();
        port.ClearWritten();
        sleeper.sleptMs = 0;
        drawn = window->plot().drawCount();
    }
    unsigned long drawn = 0;
};

TEST_F(EqualizerControlsTest, OneGainClickStoresRedrawsAndSendsTheBand) {
    ClickUp(Arrows("VScroll2_2"));  // channel 1, band 3, 0.5 dB up
    EXPECT_EQ(window->store().EqGain(1, 3), 23);
    EXPECT_DOUBLE_EQ(window->store().EqGainDb(1, 3), 0.5);
    EXPECT_EQ(Text("Text4_2"), " .5dB");
    EXPECT_EQ(window->plot().drawCount(), drawn + 1);
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0], (Bytes{0x01, 0x20, 0x03, 0x40, 0x11, 0x04, 0x01, 0x03, 0x01, 0x0A, 0x00, 0x17,
                                        0x23, 0x00, 0x01, 0x05, 0x60}));
    EXPECT_EQ(sleeper.sleptMs, 128);
    EXPECT_EQ(window->state().CurrentChannel, 1);
    EXPECT_EQ(window->state().CurrentBand, 3);
}

TEST_F(EqualizerControlsTest, GainTextsSpanPlusAndMinusTwelveDecibels) {
    Arrows("VScroll10_1")->setValue(0);
    EXPECT_EQ(Text("Text8_1"), " 12dB");
    Arrows("VScroll10_1")->setValue(25);
    EXPECT_EQ(Text("Text8_1"), "-.5dB");
    Arrows("VScroll10_1")->setValue(48);
    EXPECT_EQ(Text("Text8_1"), "-12dB");
    EXPECT_EQ(window->store().EqGain(2, 2), 48);
    EXPECT_EQ(port.Written().size(), 3u);
}

TEST_F(EqualizerControlsTest, FrequencyArrowsStepOneHertzUpToTheTop) {
    ClickUp(Arrows("VScroll7_0"));  // channel 2, band 1: 103 Hz up to 104 Hz
    EXPECT_EQ(window->store().EqFrequency(2, 1), 104);
    EXPECT_EQ(window->store().EqFreqPosition(2, 1), 72);  // 100 Hz is the last entry below
    EXPECT_EQ(Text("Text3_0"), " 104Hz");
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0], (Bytes{0x01, 0x20, 0x03, 0x40, 0x11, 0x04, 0x02, 0x01, 0x01, 0x01, 0x04, 0x18,
                                        0x23, 0x00, 0x01, 0x05, 0x60}));
    ClickDown(Arrows("VScroll7_0"));
    EXPECT_EQ(window->store().EqFrequency(2, 1), 103);

    Arrows("VScroll7_0")->setValue(20);  // 20160 Hz
    EXPECT_EQ(Text("Text3_0"), " 20160Hz");
    EXPECT_EQ(window->store().EqFreqPosition(2, 1), 299);
    const size_t sent = port.Written().size();
    ClickUp(Arrows("VScroll7_0"));
    EXPECT_EQ(port.Written().size(), sent);  // already at the top
}

TEST_F(EqualizerControlsTest, QArrowsStepThroughTheQTable) {
    ClickUp(Arrows("VScroll1_0"));
    EXPECT_EQ(window->store().EqQFactor(1, 1), 36);
    EXPECT_DOUBLE_EQ(window->store().EqQValue(1, 1), 3.2);
    EXPECT_EQ(Text("Text2_0"), " 3.2");
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0][12], 36);
    Arrows("VScroll11_4")->setValue(100);  // position 0
    EXPECT_EQ(Text("Text11_4"), " .4");
    Arrows("VScroll11_4")->setValue(0);  // position 100
    EXPECT_EQ(Text("Text11_4"), " 128");
}

TEST_F(EqualizerControlsTest, ShelvesDisableTheQArrowsAndKeepTheStoredQ) {
    auto* list = window->control<ListBox>("Combo2_1");
    Choose(list, 1);
    EXPECT_EQ(window->store().EqType(1, 2), 4);
    EXPECT_FALSE(Arrows("VScroll1_1")->isEnabled());
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0][8], 4);
    EXPECT_EQ(port.Written()[0][12], 35);  // the Q still travels
    EXPECT_EQ(Text("Text2_1"), " 3");
    Choose(list, 2);
    EXPECT_EQ(window->store().EqType(1, 2), 5);
    EXPECT_FALSE(Arrows("VScroll1_1")->isEnabled());
    Choose(list, 0);
    EXPECT_EQ(window->store().EqType(1, 2), 1);
    EXPECT_TRUE(Arrows("VScroll1_1")->isEnabled());
    // Choosing the same entry again still counts as a choice.
    Choose(list, 0);
    EXPECT_EQ(port.Written().size(), 4u);
}

TEST_F(EqualizerControlsTest, OffBoxesSwitchBandsOffAndOn) {
    Box("Check4_2")->setChecked(true);
    EXPECT_EQ(window->store().EqByPass(2, 3), 1);
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0], (Bytes{0x01, 0x20, 0x03, 0x40, 0x11, 0x04, 0x02, 0x03, 0x01, 0x0A, 0x00, 0x18,
                                        0x23, 0x01, 0x01, 0x05, 0x60}));
    Box("Check4_2")->setChecked(false);
    EXPECT_EQ(window->store().EqByPass(2, 3), 0);
    EXPECT_EQ(port.Written().size(), 2u);
}

TEST_F(EqualizerControlsTest, CrossoverListsStoreThePositionAndTheFilterCode) {
    auto* list = window->control<ListBox>("Combo6_1");  // channel 2, band 7
    Choose(list, 6);                                    // "Bessel -24dB/oct"
    EXPECT_EQ(window->store().HpType(2), 6);
    EXPECT_EQ(window->store().EqType(2, 7), 8);
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0],
              (Bytes{0x01, 0x20, 0x03, 0x40, 0x0E, 0x05, 0x02, 0x07, 0x06, 0x0A, 0x00, 0x01, 0x05, 0x60}));
    Choose(list, 0);  // "ByPass" keeps the code and sends position 0
    EXPECT_EQ(window->store().HpType(2), 0);
    EXPECT_EQ(window->store().EqType(2, 7), 8);
    EXPECT_EQ(port.Written()[1][8], 0);

    Choose(window->control<ListBox>("Combo1_0"), 3);  // channel 1 band 6, Linkwitz-Riley -12
    EXPECT_EQ(window->store().LpType(1), 3);
    EXPECT_EQ(window->store().EqType(1, 6), 7);
    EXPECT_EQ(window->state().CurrentBand, 6);
}

TEST_F(EqualizerControlsTest, CrossoverFrequencyClickSendsOneCrossoverMessage) {
    ClickUp(Arrows("VScroll3_5"));  // channel 1, band 6 (low-pass): 1001 Hz
    EXPECT_EQ(window->store().EqFrequency(1, 6), 1001);
    EXPECT_EQ(Text("Text1_5"), " 1001Hz");
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0],
              (Bytes{0x01, 0x20, 0x03, 0x40, 0x0E, 0x05, 0x01, 0x06, 0x05, 0x0A, 0x01, 0x01, 0x05, 0x60}));
    EXPECT_EQ(window->state().CurrentBand, 6);
}

TEST_F(EqualizerControlsTest, AClosedGateDropsTheMessageButStillPausesAndCounts) {
    ConnectLink();  // off again
    const int counted = window->link().SendCount;
    ClickUp(Arrows("VScroll2_0"));
    EXPECT_TRUE(port.Written().empty());
    EXPECT_EQ(sleeper.sleptMs, 128);
    EXPECT_EQ(window->link().SendCount, counted + 1);
    EXPECT_EQ(window->plot().drawCount(), drawn + 1);  // the plot still follows
}

TEST(EqualizerControlsRealTime, AnEditWithTheLinkOffBlocksForItsPause) {
    MemoryPort port;
    ThreadSleeper sleeper;
    MainWindow window(port, sleeper);
    window.timer1().stop();
    for (int tick = 0; tick < 21; ++tick) window.Timer1_Timer();
    QElapsedTimer clock;
    clock.start();
    window.control<ArrowPair>("VScroll2_0")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_GE(clock.elapsed(), 128);
    EXPECT_TRUE(port.Written().empty());
}

}  // namespace
}  // namespace sonavel
