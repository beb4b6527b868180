// Equalizer band and crossover controls: store, plot and the exact message of each edit.
#include <QElapsedTimer>

#include "EditorFixture.h"
#include "link/Sleeper.h"

namespace sonavel {
namespace {

using EqualizerControlsTest = EditingTest;

TEST_F(EqualizerControlsTest, GainArrowsStoreRedrawAndSendTheBand) {
    const unsigned long drawn = window->plot().drawCount();
    ClickUp(Arrows("VScroll2_2"));  // channel 1, band 3, 0.5 dB up
    EXPECT_EQ(window->store().EqGain(1, 3), 23);
    EXPECT_EQ(Text("Text4_2"), " .5dB");
    EXPECT_EQ(window->plot().drawCount(), drawn + 1);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0], Hex("01 20 03 40 11 04 01 03 01 0A 00 17 23 00 01 05 60"));
    EXPECT_EQ(sleeper.sleptMs, 128);
    Arrows("VScroll10_1")->setValue(25);
    EXPECT_EQ(Text("Text8_1"), "-.5dB");
}

TEST_F(EqualizerControlsTest, FrequencyAndQArrowsStepOneEntryAClick) {
    ClickUp(Arrows("VScroll7_0"));  // channel 2, band 1: 103 Hz up to 104 Hz
    EXPECT_EQ(window->store().EqFrequency(2, 1), 104);
    EXPECT_EQ(window->store().EqFreqPosition(2, 1), 72);  // 100 Hz is the last entry below
    EXPECT_EQ(Text("Text3_0"), " 104Hz");
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 11 04 02 01 01 01 04 18 23 00 01 05 60"));
    Arrows("VScroll7_0")->setValue(20);
    EXPECT_EQ(Text("Text3_0"), " 20160Hz");
    ClickUp(Arrows("VScroll7_0"));  // already at the top
    EXPECT_EQ(Sent().size(), 2u);

    ClickUp(Arrows("VScroll1_0"));
    EXPECT_EQ(Text("Text2_0"), " 3.2");
    EXPECT_EQ(Sent().back()[12], 36);  // Q position
}

TEST_F(EqualizerControlsTest, TypeListsAndOffBoxes) {
    Choose(List("Combo2_1"), 1);  // "High Shelf"
    EXPECT_EQ(window->store().EqType(1, 2), 4);
    EXPECT_FALSE(Arrows("VScroll1_1")->isEnabled());
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 11 04 01 02 04 02 03 18 23 00 01 05 60"));  // Q still sent
    Choose(List("Combo2_1"), 0);
    Choose(List("Combo2_1"), 0);  // the same entry again is a choice too
    EXPECT_EQ(window->store().EqType(1, 2), 1);
    EXPECT_TRUE(Arrows("VScroll1_1")->isEnabled());
    EXPECT_EQ(Sent().size(), 3u);

    Box("Check4_2")->setChecked(true);
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 11 04 02 03 01 0A 00 18 23 01 01 05 60"));
}

TEST_F(EqualizerControlsTest, CrossoverListsAndFrequencies) {
    Choose(List("Combo6_1"), 6);  // channel 2, band 7: "Bessel -24dB/oct"
    EXPECT_EQ(window->store().EqType(2, 7), 8);
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0E 05 02 07 06 0A 00 01 05 60"));
    Choose(List("Combo6_1"), 0);  // "ByPass" keeps the filter code
    EXPECT_EQ(window->store().EqType(2, 7), 8);
    EXPECT_EQ(Sent().back()[8], 0);
    Choose(List("Combo1_0"), 3);
    EXPECT_EQ(window->store().EqType(1, 6), 7);

    ClickUp(Arrows("VScroll3_5"));  // channel 1 low-pass: 1001 Hz
    EXPECT_EQ(Text("Text1_5"), " 1001Hz");
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0E 05 01 06 03 0A 01 01 05 60"));
    EXPECT_EQ(Sent().size(), 4u);
}

TEST_F(EqualizerControlsTest, AClosedGateDropsTheMessageButStillPausesAndCounts) {
    window->Command12_Click();  // link off
    const int counted = window->link().SendCount;
    ClickUp(Arrows("VScroll2_0"));
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(sleeper.sleptMs, 128);
    EXPECT_EQ(window->link().SendCount, counted + 1);
}

TEST(EqualizerControlsRealTime, AnEditWithTheLinkOffBlocksForItsPause) {
    MemoryPort port;
    ThreadSleeper sleeper;
    MainWindow window(port, sleeper);
    QElapsedTimer clock;
    clock.start();
    window.control<ArrowPair>("VScroll4_0")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_GE(clock.elapsed(), 128);
}

}  // namespace
}  // namespace sonavel
