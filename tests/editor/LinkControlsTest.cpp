// The link strip: Connect/DisConnect, port and address choice, Exit, the timers and the
// presence lamp.
#include <QApplication>
#include <QLabel>

#include "EditorFixture.h"

namespace sonavel {
namespace {

const QColor kGreenButton(128, 255, 128);
const QColor kRed(255, 0, 0);
const QColor kLampOn(128, 255, 128);
const QColor kLampOff(64, 64, 64);

Bytes PresenceReplyFrom(int address) { return {0x01, 0x20, 0x03, 0x40, 0x09, 0x01, uint8_t(address), 0x05, 0x60}; }

using LinkControlsTest = EditorTest;

TEST_F(LinkControlsTest, ConnectAndDisConnectShowTheStateOpenTheChosenPortAndEnableUpdate) {
    auto* button = window->control<QPushButton>("Command12");
    // Before any port was chosen, Connect opens COM1.
    window->Command12_Click();
    EXPECT_EQ(window->link().Connected, 1);
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 1);
    EXPECT_EQ(button->text(), "Connect");
    EXPECT_EQ(BackColor(button), kGreenButton);
    EXPECT_EQ(button->toolTip(), "click here to disconnect the loudspeaker");
    EXPECT_TRUE(window->control("Command8")->isEnabled());
    EXPECT_TRUE(window->control("Combo9")->isEnabled());
    EXPECT_TRUE(window->control("Combo9")->isHidden());
    EXPECT_EQ(window->link().Online, 1);

    window->Command12_Click();
    EXPECT_EQ(window->link().Connected, 0);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(button->text(), "DisConnect");
    EXPECT_EQ(BackColor(button), kRed);
    EXPECT_EQ(button->toolTip(), "click here to connect the loudspeaker");
    EXPECT_FALSE(window->control("Command8")->isEnabled());
    EXPECT_EQ(window->link().Online, 0);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LinkControlsTest, AChosenPortIsTestedAndLeftClosedUntilConnect) {
    Choose(window->control<ListBox>("Combo5"), 2);  // COM3
    EXPECT_EQ(port.CommPort(), 3);
    EXPECT_EQ(port.OpenCount(), 2);  // open, close, open again
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(BackColor(window->control("Label30")), QColor(0, 255, 0));
    window->Command12_Click();
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 3);
    EXPECT_EQ(window->control<QPushButton>("Command12")->text(), "Connect");

    // While connected a new port choice is opened and kept open.
    Choose(window->control<ListBox>("Combo5"), 0);
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 1);
    EXPECT_EQ(window->link().Online, 0);
}

TEST_F(LinkControlsTest, APortThatDoesNotExistDimsTheLampAndKeepsTheLink) {
    window->Command12_Click();
    Choose(window->control<ListBox>("Combo5"), 4);  // COM5 does not exist
    EXPECT_EQ(BackColor(window->control("Label30")), QApplication::palette().color(QPalette::ButtonText));
    EXPECT_EQ(window->link().Connected, 1);
    EXPECT_EQ(window->control<QPushButton>("Command12")->text(), "Connect");
    EXPECT_FALSE(port.PortOpen());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(LinkControlsTest, ConnectToAPortThatCannotBeOpenedSaysSoAndLeavesTheLinkOff) {
    Choose(window->control<ListBox>("Combo5"), 4);  // COM5
    window->Command12_Click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("COM5 could not be opened")) << messages[0].toStdString();
    EXPECT_EQ(window->link().Connected, 0);
    EXPECT_EQ(window->control<QPushButton>("Command12")->text(), "DisConnect");
    EXPECT_FALSE(window->control("Command8")->isEnabled());
    // The window stays usable: another port connects.
    Choose(window->control<ListBox>("Combo5"), 2);
    window->Command12_Click();
    EXPECT_EQ(window->link().Connected, 1);
    EXPECT_TRUE(port.PortOpen());
}

TEST_F(LinkControlsTest, ALostLineSwitchesTheLinkOffAndTellsTheUser) {
    window->Command12_Click();
    port.HangUp();
    EXPECT_EQ(window->link().Connected, 0);
    EXPECT_EQ(window->control<QPushButton>("Command12")->text(), "DisConnect");
    EXPECT_EQ(messages.size(), 1);
    window->Command12_Click();  // reconnecting opens the port again
    EXPECT_TRUE(port.PortOpen());
}

TEST_F(LinkControlsTest, AddressChoiceSetsTheAddressOfEveryMessage) {
    window->Command12_Click();
    Choose(window->control<ListBox>("Combo7"), 6);  // Addr=07
    EXPECT_EQ(window->link().DeviceAddress, 7);
    EXPECT_EQ(window->link().AddressIndex, 7);
    EXPECT_EQ(window->link().Online, 0);
    port.ClearWritten();
    window->OnLineCheck();
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0], (Bytes{0x01, 0x20, 0x03, 0x40, 0x09, 0x0B, 0x07, 0x05, 0x60}));
}

TEST_F(LinkControlsTest, ExitClosesThePresetPanel) {
    for (const char* name : {"Frame9", "Command9", "Command10", "Command11", "Combo4", "Label20", "Text5"})
        window->control(name)->show();
    window->control<QLabel>("Label20")->setText("Recall UnitID: 1...Error");
    window->Command10_Click();
    for (const char* name : {"Frame9", "Command9", "Command10", "Command11", "Combo4", "Label20", "Text5"})
        EXPECT_TRUE(window->control(name)->isHidden()) << name;
    EXPECT_EQ(window->control<QLabel>("Label20")->text(), "");
}

TEST_F(LinkControlsTest, PresenceChecksRunOnTheFirstTickThenAfterTwentyOneQuietTicks) {
    EXPECT_EQ(window->link().OnlineInterval, 0);
    window->Timer1_Timer();
    EXPECT_EQ(window->link().OnlineInterval, 20);  // the first check ran at once
    EXPECT_EQ(BackColor(window->control("Label8")), kLampOff);

    for (int tick = 0; tick < 20; ++tick) window->Timer1_Timer();  // the 21st runs the first refresh
    window->Command12_Click();
    window->link().Online = 0;
    // The refresh tick itself counted one quiet tick.
    for (int tick = 0; tick < 19; ++tick) window->Timer1_Timer();
    EXPECT_TRUE(port.Written().empty());
    window->Timer1_Timer();
    EXPECT_EQ(port.Written().size(), 1u);
    // An edit restarts the quiet time.
    for (int tick = 0; tick < 10; ++tick) window->Timer1_Timer();
    ClickUp(Arrows("VScroll4_0"));
    for (int tick = 0; tick < 20; ++tick) window->Timer1_Timer();
    EXPECT_EQ(port.Written().size(), 2u);  // only the gain message
    window->Timer1_Timer();
    EXPECT_EQ(port.Written().size(), 3u);
    // A sender in progress keeps the check away.
    window->link().Sending = 1;
    for (int tick = 0; tick < 25; ++tick) window->Timer1_Timer();
    EXPECT_EQ(port.Written().size(), 3u);
}

TEST_F(LinkControlsTest, PresenceLampFollowsRepliesAndUnansweredMessages) {
    window->Command12_Click();
    auto lamp = [this] { return BackColor(window->control("Label8")); };

    // Connect counts the unit as on line: green at the next check, and no polling.
    window->OnLineCheck();
    EXPECT_EQ(lamp(), kLampOn);
    EXPECT_TRUE(port.Written().empty());

    // Three messages without a reply in between: grey at the next check.
    for (int click = 0; click < 3; ++click) ClickUp(Arrows("VScroll4_0"));
    window->OnLineCheck();
    EXPECT_EQ(lamp(), kLampOff);
    EXPECT_EQ(window->link().Online, 0);
    EXPECT_EQ(port.Written().size(), 3u);  // the three gain messages

    // Polling resumes; the third check judges and finds no reply.
    for (int check = 0; check < 3; ++check) window->OnLineCheck();
    EXPECT_EQ(lamp(), kLampOff);
    EXPECT_EQ(port.Written().size(), 6u);
    EXPECT_EQ(port.Written()[5], (Bytes{0x01, 0x20, 0x03, 0x40, 0x09, 0x0B, 0x01, 0x05, 0x60}));

    // A reply arrives; the next judgement, three checks on, finds it and polling stops.
    port.Deliver(PresenceReplyFrom(1));
    EXPECT_EQ(window->link().OnlineTable(1), 1);
    EXPECT_EQ(window->link().SendCount, 0);
    window->OnLineCheck();
    window->OnLineCheck();
    EXPECT_EQ(lamp(), kLampOff);
    EXPECT_EQ(port.Written().size(), 8u);
    window->OnLineCheck();
    EXPECT_EQ(lamp(), kLampOn);
    EXPECT_EQ(port.Written().size(), 8u);
    EXPECT_EQ(window->link().OnlineTable(1), 0);  // cleared for the next judgement
    EXPECT_EQ(window->link().MissCount(1), 0);

    // Switched off, the lamp is grey whatever the unit says.
    window->Command12_Click();
    window->OnLineCheck();
    EXPECT_EQ(lamp(), kLampOff);
}

TEST_F(LinkControlsTest, WithoutRepliesTheLampStaysGreyAtEveryJudgement) {
    window->Command12_Click();
    window->link().Online = 0;
    for (int check = 0; check < 9; ++check) window->OnLineCheck();
    EXPECT_EQ(BackColor(window->control("Label8")), kLampOff);
    EXPECT_EQ(port.Written().size(), 9u);  // every check polls while off line
    // A reply from another address does not light the lamp of address 1.
    port.Deliver(PresenceReplyFrom(5));
    for (int check = 0; check < 3; ++check) window->OnLineCheck();
    EXPECT_EQ(BackColor(window->control("Label8")), kLampOff);
    EXPECT_EQ(window->link().OnlineTable(5), 1);
}

TEST_F(LinkControlsTest, Timer2AdvancesTheTransferCountersUpToAHundred) {
    window->link().WaitTicks = 0;
    window->link().DelayTicks = 98;
    for (int tick = 0; tick < 5; ++tick) window->Timer2_Timer();
    EXPECT_EQ(window->link().WaitTicks, 5);
    EXPECT_EQ(window->link().DelayTicks, 100);
}

}  // namespace
}  // namespace sonavel
