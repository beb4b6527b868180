// The link strip: Connect/DisConnect, port and address choice, and the presence lamp.
#include <QApplication>

#include "EditorFixture.h"

namespace sonavel {
namespace {

const QColor kLampOn(128, 255, 128);
const QColor kLampOff(64, 64, 64);

using LinkControlsTest = EditorTest;

TEST_F(LinkControlsTest, ConnectShowsAndSwitchesTheLinkOnTheChosenPort) {
    auto* button = window->control<QPushButton>("Command12");
    window->Command12_Click();  // no port chosen yet: COM1
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 1);
    EXPECT_EQ(button->text(), "Connect");
    EXPECT_EQ(BackColor(button), kLampOn);
    EXPECT_TRUE(window->control("Command8")->isEnabled());
    window->Command12_Click();
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(button->text(), "DisConnect");
    EXPECT_EQ(BackColor(button), QColor(255, 0, 0));

    // A port chosen while off is tested (open, close, open) and left closed until Connect.
    Choose(List("Combo5"), 2);
    EXPECT_EQ(port.OpenCount(), 3);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(Colour("Label30"), QColor(0, 255, 0));
    window->Command12_Click();
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.CommPort(), 3);
}

TEST_F(LinkControlsTest, PortsThatCannotBeOpenedLeaveTheWindowUsable) {
    window->Command12_Click();
    Choose(List("Combo5"), 4);  // COM5 does not exist
    EXPECT_EQ(Colour("Label30"), QApplication::palette().color(QPalette::ButtonText));
    EXPECT_EQ(window->link().Connected, 1);
    EXPECT_TRUE(messages.isEmpty());

    window->Command12_Click();  // off
    window->Command12_Click();  // on again, with COM5
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("COM5 could not be opened")) << messages[0].toStdString();
    EXPECT_EQ(window->control<QPushButton>("Command12")->text(), "DisConnect");

    Choose(List("Combo5"), 2);
    window->Command12_Click();
    EXPECT_EQ(window->link().Connected, 1);
    port.HangUp();  // the line goes away: the link goes off and the user is told
    EXPECT_EQ(window->link().Connected, 0);
    EXPECT_EQ(messages.size(), 2);
}

Bytes PresenceReplyFrom(int address) { return {0x01, 0x20, 0x03, 0x40, 0x09, 0x01, uint8_t(address), 0x05, 0x60}; }

TEST_F(LinkControlsTest, PresenceChecksPollTheChosenAddressWhenQuiet) {
    Ticks(21);  // the first check ran on the first tick, the refresh on the 21st
    window->Command12_Click();
    Choose(List("Combo7"), 6);  // reads the new unit's settings, which restarts the quiet time
    port.ClearWritten();
    Ticks(20);
    EXPECT_TRUE(Sent().empty());
    window->Timer1_Timer();
    EXPECT_EQ(Sent(), std::vector<Bytes>{Hex("01 20 03 40 09 0B 07 05 60")});
    Ticks(10);
    ClickUp(Arrows("VScroll4_0"));  // every message restarts the quiet time
    Ticks(20);
    EXPECT_EQ(Sent().size(), 2u);
    window->Timer1_Timer();
    EXPECT_EQ(Sent().size(), 3u);
}

TEST_F(LinkControlsTest, PresenceLampFollowsRepliesAndUnansweredMessages) {
    window->Command12_Click();
    window->session().OnLineCheck();  // Connect counts the unit as on line
    EXPECT_EQ(Colour("Label8"), kLampOn);

    for (int click = 0; click < 3; ++click) ClickUp(Arrows("VScroll4_0"));
    window->session().OnLineCheck();  // three messages without a reply
    EXPECT_EQ(Colour("Label8"), kLampOff);
    EXPECT_EQ(Sent().size(), 3u);
    for (int check = 0; check < 3; ++check) window->session().OnLineCheck();  // polling, the third one judges
    EXPECT_EQ(Colour("Label8"), kLampOff);
    EXPECT_EQ(Sent().size(), 6u);

    port.Deliver(PresenceReplyFrom(5));  // another unit's reply marks only its own entry
    port.Deliver(PresenceReplyFrom(1));
    EXPECT_EQ(window->link().OnlineTable(5), 1);
    EXPECT_EQ(window->link().SendCount, 0);
    window->session().OnLineCheck();
    window->session().OnLineCheck();
    EXPECT_EQ(Colour("Label8"), kLampOff);
    window->session().OnLineCheck();  // the next judgement finds the reply; polling stops
    EXPECT_EQ(Colour("Label8"), kLampOn);
    EXPECT_EQ(Sent().size(), 8u);

    window->Command12_Click();
    window->session().OnLineCheck();
    EXPECT_EQ(Colour("Label8"), kLampOff);
}

}  // namespace
}  // namespace sonavel
