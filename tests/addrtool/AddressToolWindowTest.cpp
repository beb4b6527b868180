// The address tool's window driven by its buttons, over a pseudo-terminal standing in for COM3.
#include "addrtool/AddressToolWindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "tests/support/PumpUntil.h"
#include "tests/support/TerminalPair.h"

using sonavel::Bytes;
using sonavel::test::PumpUntil;

namespace {

const Bytes kProgram05 = {0x01, 0x20, 0x03, 0x40, 0x0A, 0x0F, 0x05, 0xFF, 0x05, 0x60};
const Bytes kRead05 = {0x01, 0x20, 0x03, 0x40, 0x0A, 0x10, 0x05, 0xFF, 0x05, 0x60};
const QColor kLampOff(0, 0, 0), kLampOn(0, 255, 0);

struct PortolanOverPty : testing::Test {
    void SetUp() override {
        line.ReleaseDevice();  // only the tool holds the device from now on
        qputenv("SONAVEL_COM3", line.DevicePath().c_str());
        qputenv("SONAVEL_COM4", "/nonexistent/tty-for-portolan");
        List("Combo5")->setCurrentIndex(2);  // COM3
        List("Combo1")->setCurrentIndex(4);  // Addr=05
    }
    QComboBox* List(const char* name) { return window.findChild<QComboBox*>(name); }
    void Click(const char* button) { window.findChild<QPushButton*>(button)->click(); }
    QString Status() const { return window.findChild<QLabel*>("Label1")->text(); }
    QColor Lamp() const { return window.findChild<QLabel*>("Label30")->palette().color(QPalette::Window); }
    bool DeviceOpen() const { return !line.Far().HungUp(0); }
    Bytes Sent(int waitMs = 1000) { return line.Far().Read(10, waitMs); }  // the next message the tool wrote
    void WriteLine(const std::string& s) { line.Far().Write(Bytes(s.begin(), s.end())); }
    qint64 MsUntilClosed() {
        QElapsedTimer clock;
        clock.start();
        PumpUntil([&] { return !DeviceOpen(); }, 1500);
        return clock.elapsed();
    }

    sonavel::test::TerminalPair line;
    sonavel::addrtool::AddressToolWindow window;
};

}  // namespace

TEST_F(PortolanOverPty, ReplyBytesAreAppendedAsWindows1252AndThe19thClosesThePort) {
    Click("Command1");
    ASSERT_EQ(Sent(), kRead05);
    WriteLine(" Addr=05\x80\x81\x85\x8A\x93\x99\x9D\x9F\xA0\xE9");  // 18 bytes: RxCount reaches 19
    PumpUntil([] { return false; }, 100);
    EXPECT_TRUE(DeviceOpen());
    WriteLine("\xFFuvwxyz");  // the 19th byte closes the port; the rest of its chunk still shows
    EXPECT_LT(MsUntilClosed(), 100);
    EXPECT_EQ(Status(), QString::fromUtf8("Read Address... Addr=05€\u0081…Š“™\u009DŸ\u00A0éÿuvwxyz"));
    EXPECT_EQ(Lamp(), kLampOn);  // until the next time-out tick
}

TEST_F(PortolanOverPty, PortsThatCannotBeOpenedTakeTheFailurePath) {
    List("Combo5")->lineEdit()->setText("my port");  // names no entry: port 0
    EXPECT_EQ(window.PortPosition(), -1);
    Click("Command1");
    EXPECT_EQ(Status(), "Open COM port failed!");
    List("Combo5")->setCurrentIndex(3);  // COM4: no such device
    Click("Command2");
    EXPECT_EQ(Status(), "Open COM port failed!");
    EXPECT_EQ(Lamp(), kLampOff);
    EXPECT_TRUE(Sent(100).empty());
    List("Combo5")->lineEdit()->setText("COM3");  // an entry's exact name selects it
    Click("Command2");
    EXPECT_EQ(Sent(), kProgram05);
}

// No unit answers: the port closes on the fourth tick counted from the last press.
TEST_F(PortolanOverPty, AButtonPressedMidExchangeStartsItAfreshAndTheTimeOutEndsIt) {
    Click("Command1");
    EXPECT_EQ(Lamp(), kLampOn);
    ASSERT_EQ(Sent(), kRead05);
    WriteLine("old");
    PumpUntil([] { return false; }, 400);
    EXPECT_EQ(Status(), "Read Address...old");
    QElapsedTimer sincePress;
    sincePress.start();
    Click("Command2");
    EXPECT_EQ(Sent(), kProgram05);
    MsUntilClosed();
    EXPECT_GE(sincePress.elapsed(), 600 - 5);
    EXPECT_LE(sincePress.elapsed(), 800 + 40);  // allowing for a busy machine
    EXPECT_EQ(Lamp(), kLampOff);
    EXPECT_EQ(Status(), "Program Address...");
}

TEST_F(PortolanOverPty, ALineThatGoesAwayMidExchangeIsNamedAsDisconnected) {
    Click("Command1");
    ASSERT_EQ(Sent(), kRead05);
    line.Far().Close();
    const QString disconnected = QString::fromStdString(line.DevicePath() + " was disconnected");
    EXPECT_TRUE(PumpUntil([&] { return Status() == disconnected; }, 1000)) << Status().toStdString();
    EXPECT_EQ(Lamp(), kLampOff);
}
