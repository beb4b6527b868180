// Equalizer band and crossover controls and typed frequencies: store, text and message.
#include "HandlerFixture.h"

namespace sonavel {
namespace {

using EqualizerHandlersTest = EditingTest;

TEST_F(EqualizerHandlersTest, ArrowsShowAndSendTheBand) {
    ClickUp(Channel(1).gainArrows[2]);  // channel 1, band 3, 0.5 dB up
    EXPECT_EQ(Channel(1).gainBoxes[2].text(), " .5dB");
    EXPECT_EQ(Sent(), std::vector<Bytes>{Hex("01 20 03 40 11 04 01 03 01 0A 00 17 23 00 01 05 60")});
    EXPECT_EQ(time.pauses, std::vector<int>{128});

    ClickUp(Channel(2).frequencyArrows[0]);  // channel 2, band 1: 103 Hz up to 104 Hz
    EXPECT_EQ(Channel(2).frequencyBoxes[0].text(), " 104Hz");
    EXPECT_EQ(Sent().back(), EqBandMessage(Store(), 2, 1, 1));
    Channel(2).frequencyArrows[0].SetValue(20);  // the top, with no step beyond it
    ClickUp(Channel(2).frequencyArrows[0]);
    EXPECT_EQ(Channel(2).frequencyBoxes[0].text(), " 20160Hz");

    ClickUp(Channel(1).qArrows[0]);
    EXPECT_EQ(Channel(1).qBoxes[0].text(), " 3.2");
    EXPECT_EQ(Sent().back()[12], 36);  // Q position
}

TEST_F(EqualizerHandlersTest, TypeListsOffBoxesAndCrossoverLists) {
    Channel(1).typeLists[1].SetPosition(1);  // "High Shelf": no Q, but the stored Q still travels
    EXPECT_FALSE(Channel(1).qArrows[1].enabled());
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 11 04 01 02 04 02 03 18 23 00 01 05 60"));
    Channel(2).offBoxes[2].SetChecked(true);
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 11 04 02 03 01 0A 00 18 23 01 01 05 60"));

    Channel(2).crossoverLists[1].SetPosition(0);  // channel 2 band 7 "ByPass" keeps the filter code
    EXPECT_EQ(Sent().back(), CrossoverMessage(Store(), 2, 7, 1));
    ClickUp(Channel(1).frequencyArrows[5]);  // channel 1 low-pass: 1001 Hz
    EXPECT_EQ(Channel(1).frequencyBoxes[5].text(), " 1001Hz");
    EXPECT_EQ(Sent().back(), Hex("01 20 03 40 0E 05 01 06 05 0A 01 01 05 60"));
    EXPECT_EQ(Sent().size(), 4u);
}

// Typing into channel 1's band-3 box (1000 Hz): a click empties and highlights it, Enter applies.
TEST_F(EqualizerHandlersTest, TypedFrequencies) {
    TextValue& box = Channel(1).frequencyBoxes[2];
    // Typed, frequency, shown, still highlighted, messages so far.
    const std::tuple<const char*, int, const char*, bool, size_t> rows[] = {
        {"1200Hz", 1200, " 1200Hz", false, 2},  // a change is sent twice: the arrows' and the box's
        {"&H4B0", 1200, " 1200Hz", false, 3},   // the same frequency again, sent once
        {"1001.5", 1002, " 1002Hz", false, 5},
        {"1000.5", 1000, " 1000Hz", false, 7},
        {"12", 1000, " 1000Hz", false, 8},  // out of range: the band's frequency again
        {"no number", 1000, " 1000Hz", false, 9},
        {"50000", 1000, " 1000Hz", true, 9},  // beyond 16 bits: nothing at all, still typing
    };
    for (auto [typed, frequency, shown, highlighted, sent] : rows) {
        SCOPED_TRACE(typed);
        box.Click();
        box.EnterText(typed);
        box.Key(13);
        EXPECT_EQ(Store().EqFrequency(1, 3), frequency);
        EXPECT_EQ(box.text(), shown);
        EXPECT_EQ(box.highlighted(), highlighted);
        EXPECT_EQ(Sent().size(), sent);
    }
    EXPECT_EQ(Store().EqFreqPosition(1, 3), 169);
}

}  // namespace
}  // namespace sonavel
