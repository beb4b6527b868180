// The window right after start-up and up to its first control refresh.
#include <QFontMetrics>
#include <QLabel>

#include "EditorFixture.h"
#include "editor/PlotWidget.h"

namespace sonavel {
namespace {

using StartupTest = EditorTest;

TEST_F(StartupTest, WindowHasItsCaptionSizeAndHiddenControls) {
    EXPECT_EQ(window->windowTitle(), "Form1");
    EXPECT_EQ(window->size(), QSize(817, 669));  // 12255 x 10035 twips
    // The preset panel and the slot transfer controls exist but are hidden.
    for (const char* name : {"Frame9", "Command9", "Command10", "Combo4", "Label20", "Text5", "Command1_0",
                             "Command2", "Combo8", "Combo9", "OutputGainFrame1", "OutputGainFrame2"})
        EXPECT_TRUE(window->control(name)->isHidden()) << name;
    for (const char* name : {"Picture1", "File1", "Command4", "Command12", "Combo5", "Combo7", "Label8", "Label30",
                             "VScroll3_6", "Combo6_1", "Check1_3", "Check7_1", "Text12_3"})
        EXPECT_FALSE(window->control(name)->isHidden()) << name;
    EXPECT_EQ(window->control<QLabel>("Label20")->text(), "");
    // Positions come from twips at 15 a pixel, inside the group that holds the control.
    EXPECT_EQ(window->control("Picture1")->geometry(), QRect(8, 16, 657, 193));
    EXPECT_EQ(window->control("Command12")->mapTo(window.get(), QPoint(0, 0)), QPoint(8, 624));
    EXPECT_EQ(window->control("Text3_2")->mapTo(window.get(), QPoint(0, 0)), QPoint(448, 304));
}

TEST_F(StartupTest, LinkStartsOffWithRedDisConnectAndDisabledUpdate) {
    auto* connect = window->control<QPushButton>("Command12");
    EXPECT_EQ(connect->text(), "DisConnect");
    EXPECT_EQ(BackColor(connect), QColor(255, 0, 0));
    EXPECT_FALSE(window->control("Command8")->isEnabled());
    EXPECT_EQ(window->link().Connected, 0);
    EXPECT_EQ(window->link().DeviceAddress, 1);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(BackColor(window->control("Label30")), QColor(64, 64, 64));
    EXPECT_EQ(BackColor(window->control("Label8")), QColor(128, 128, 128));
    EXPECT_EQ(window->control("Combo5")->toolTip(), "select a valid COM");
    EXPECT_EQ(window->control("Combo7")->toolTip(), "select the device address");
}

TEST_F(StartupTest, ListsHoldTheirEntriesAndOnlyTheSlotListsHaveASelection) {
    for (const char* name : {"Combo8", "Combo9"}) {
        auto* slotList = window->control<ListBox>(name);
        ASSERT_EQ(slotList->count(), 16);
        EXPECT_EQ(slotList->itemText(15), "User16");
        EXPECT_EQ(slotList->currentText(), "User01");
    }
    auto* type = window->control<ListBox>("Combo3_4");
    EXPECT_EQ(type->count(), 3);
    EXPECT_EQ(type->itemText(1), "High Shelf");
    EXPECT_EQ(type->listIndex(), -1);
    EXPECT_EQ(type->placeholderText(), "Peak");
    auto* crossover = window->control<ListBox>("Combo1_0");
    ASSERT_EQ(crossover->count(), 9);
    EXPECT_EQ(crossover->itemText(0), "ByPass");
    EXPECT_EQ(crossover->itemText(7), "Linkwitz-Riley -24dB/oct");
    EXPECT_EQ(crossover->listIndex(), -1);
    auto* ports = window->control<ListBox>("Combo5");
    EXPECT_EQ(ports->count(), 12);
    EXPECT_EQ(ports->itemText(11), "COM12");
    EXPECT_EQ(ports->placeholderText(), "COM1");
    auto* addresses = window->control<ListBox>("Combo7");
    EXPECT_EQ(addresses->count(), 32);
    EXPECT_EQ(addresses->itemText(31), "Addr=32");
}

TEST_F(StartupTest, ControlsShowDesignTimeTextsAndBoundsUntilTheFirstRefresh) {
    EXPECT_EQ(Text("Text1_0"), "1000Hz");
    EXPECT_EQ(Text("Text3_6"), "1000Hz");
    EXPECT_EQ(Text("Text4_2"), "0dB");
    EXPECT_EQ(Text("Text11_4"), "3");
    EXPECT_EQ(Text("Text6_1"), "0dB");
    EXPECT_EQ(Text("Text9_0"), "0mS");
    EXPECT_EQ(Text("Text12_2"), "1 dB/S");
    EXPECT_EQ(Text("Text7_3"), "1:1");
    EXPECT_EQ(Arrows("VScroll7_5")->minimum(), 20);
    EXPECT_EQ(Arrows("VScroll7_5")->maximum(), 20160);
    EXPECT_EQ(Arrows("VScroll10_0")->maximum(), 48);
    EXPECT_EQ(Arrows("VScroll6_2")->value(), 999);
    EXPECT_EQ(Arrows("VScroll5_1")->value(), 150);
    // The store holds its defaults before any control shows them.
    EXPECT_EQ(window->store().EqFrequency(1, 1), 103);
    EXPECT_EQ(window->store().EqType(1, 6), 2);
    EXPECT_EQ(window->store().LpType(1), 5);
    EXPECT_FALSE(window->state().EditEnabled);
}

TEST_F(StartupTest, NothingIsDrawnOrSentBeforeTheTwentyFirstTick) {
    ConnectLink();
    port.ClearWritten();
    ClickUp(Arrows("VScroll2_2"));
    Choose(window->control<ListBox>("Combo2_0"), 1);
    Box("Check4_1")->setChecked(true);
    for (int tick = 0; tick < 20; ++tick) window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), 0u);
    EXPECT_TRUE(port.Written().empty());
    EXPECT_EQ(window->store().EqGain(1, 3), 24);
    EXPECT_EQ(window->store().EqType(1, 1), 1);
    EXPECT_EQ(Text("Text1_0"), "1000Hz");

    window->Timer1_Timer();  // the 21st
    EXPECT_TRUE(window->state().EditEnabled);
    EXPECT_EQ(window->plot().drawCount(), 2u);  // one drawing per channel
    EXPECT_TRUE(port.Written().empty());         // a refresh sends nothing, even connected
    EXPECT_EQ(Text("Text1_0"), " 103Hz");
    EXPECT_EQ(window->state().CurrentChannel, 2);
    EXPECT_EQ(window->state().CurrentBand, 7);
    for (int tick = 0; tick < 21; ++tick) window->Timer1_Timer();
    EXPECT_EQ(window->plot().drawCount(), 2u);  // only once
}

TEST_F(StartupTest, LetteringHasRealGlyphs) {
    // Without a usable font Qt draws empty boxes of one width for every character.
    const QFontMetrics metrics(window->control("Command12")->font());
    EXPECT_TRUE(metrics.inFont(QChar('W')));
    EXPECT_GT(metrics.horizontalAdvance("WWWW"), metrics.horizontalAdvance("iiii"));
    EXPECT_TRUE(window->control("Command12")->font().bold());
    EXPECT_FALSE(window->control("Text1_0")->font().bold());
}

}  // namespace
}  // namespace sonavel
