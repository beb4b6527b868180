// The address tool's window driven by its buttons, over a pseudo-terminal standing in for COM3.
#include "addrtool/AddressToolWindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "tests/support/Hex.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/TerminalPair.h"

using sonavel::Bytes;
using sonavel::test::PumpUntil;

namespace {

const Bytes kRead01 = sonavel::Hex("01 20 03 40 0A 10 01 FF 05 60");

struct PortolanOverPty : testing::Test {
    void SetUp() override {
        line.ReleaseDevice();  // only the tool holds the device from now on
        qputenv("SONAVEL_COM3", line.DevicePath().c_str());
        qputenv("SONAVEL_COM4", "/nonexistent/tty-for-portolan");
    }
    void Click(const char* button) { window.findChild<QPushButton*>(button)->click(); }
    QString Status() const { return window.findChild<QLabel*>("Label1")->text(); }
    QColor Lamp() const { return window.findChild<QLabel*>("Label30")->palette().color(QPalette::Window); }
    bool DeviceOpen() const { return !line.Far().HungUp(0); }
    Bytes Sent() { return line.Far().Read(10, 1000); }  // the next message the tool wrote
    void WriteLine(const std::string& s) { line.Far().Write(Bytes(s.begin(), s.end())); }

    sonavel::test::TerminalPair line;
    sonavel::addrtool::AddressToolWindow window;
};

}  // namespace

TEST_F(PortolanOverPty, RepliesTimeOutsAndPortFailuresEndTheExchange) {
    window.findChild<QComboBox*>("Combo5")->setCurrentIndex(3);  // COM4: no such device
    Click("Command2");
    EXPECT_EQ(Status(), "Open COM port failed!");
    window.findChild<QComboBox*>("Combo5")->setCurrentIndex(2);  // COM3

    Click("Command1");
    ASSERT_EQ(Sent(), kRead01);
    WriteLine(" Addr=05\x80\x81\x85\x8A\x93\x99\x9D\x9F\xA0\xE9");  // 18 bytes
    PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(DeviceOpen());
    WriteLine("\xFFuvwxyz");  // the rest of the 19th byte's chunk still shows
    EXPECT_TRUE(PumpUntil([&] { return !DeviceOpen(); }, 100));
    EXPECT_EQ(Status(), QString::fromUtf8("Read Address... Addr=05€\u0081…Š“™\u009DŸ\u00A0éÿuvwxyz"));
    EXPECT_EQ(Lamp(), QColor(Qt::green));  // until the next time-out tick

    Click("Command1");
    ASSERT_EQ(Sent(), kRead01);
    PumpUntil([] { return false; }, 400);
    QElapsedTimer sincePress;
    sincePress.start();
    Click("Command2");  // mid-exchange: starts afresh
    EXPECT_EQ(Sent(), sonavel::Hex("01 20 03 40 0A 0F 01 FF 05 60"));
    PumpUntil([&] { return !DeviceOpen(); }, 1500);
    EXPECT_GE(sincePress.elapsed(), 600 - 5);
    EXPECT_LE(sincePress.elapsed(), 800 + 40);  // allowing for a busy machine
    EXPECT_EQ(Lamp(), QColor(Qt::black));
    EXPECT_EQ(Status(), "Program Address...");

    Click("Command1");
    ASSERT_EQ(Sent(), kRead01);
    line.Far().Close();
    EXPECT_TRUE(PumpUntil([&] { return Status().endsWith(" was disconnected"); }, 1000)) << Status().toStdString();
    EXPECT_EQ(Lamp(), QColor(Qt::black));
}
