#include <gtest/gtest.h>

#include <cerrno>

#include "link/Messages.h"
#include "link/QtSerialPort.h"
#include "link/Receiver.h"
#include "tests/support/Hex.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/TerminalPair.h"

using namespace sonavel;
using sonavel::test::PumpUntil;

namespace {

// The port opens the near end of the pair as COM5; the test plays the unit at the far end.
struct QtSerialPortTest : testing::Test {
    void SetUp() override {
        ::setenv("SONAVEL_COM5", device.c_str(), 1);
        port.SetCommPort(5);
    }
    void TearDown() override {
        port.SetPortOpen(false);
        ::unsetenv("SONAVEL_COM5");
    }
    sonavel::test::TerminalPair line;
    const std::string device = line.DevicePath();
    QtSerialPort port;
};

}  // namespace

TEST_F(QtSerialPortTest, MessagesLeaveAtOnceInBothDirections) {
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    EXPECT_EQ(port.DeviceName(), device);

    // The whole dump is on the line when Output returns, before any event is processed.
    const Bytes dump = StoreToSlotMessage(ParameterStore{}, 1, 1);
    port.Output(dump);
    EXPECT_EQ(line.Far().Read(dump.size(), 1000), dump);

    LinkState link;
    Receiver receiver(link);
    port.OnComm = [&] { receiver.OnComm(port.Input()); };
    const Bytes reply = Hex("01 20 03 40 09 01 1F 05 60 0A 0D");
    line.Far().Write(Bytes(reply.begin(), reply.begin() + 5));
    line.Far().Write(Bytes(reply.begin() + 5, reply.end()));
    EXPECT_TRUE(PumpUntil([&] { return link.OnlineTable(31) == 1; }, 2000));
}

TEST_F(QtSerialPortTest, FarEndHangingUpClosesThePortOnce) {
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    int lost = 0, events = 0;
    std::string reason;
    port.OnPortLost = [&](const std::string& why) { ++lost, reason = why; };
    port.OnComm = [&] { ++events; };
    line.Far().Close();
    EXPECT_TRUE(PumpUntil([&] { return !port.PortOpen(); }, 2000));
    PumpUntil([] { return false; }, 200);  // a flood would show here
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(reason, device + " was disconnected");
    EXPECT_LE(events, 1);
    port.Output(PresenceQuery(1));  // closed: ignored
    EXPECT_TRUE(port.Input().empty());
}

TEST_F(QtSerialPortTest, OpenFailuresAreReportedNotThrown) {
    port.SetDeviceOverride("/nonexistent/tty");
    const PortStatus status = port.SetPortOpen(true);
    EXPECT_EQ(status.error, "/nonexistent/tty could not be opened: no such device (is it plugged in?)");
    EXPECT_FALSE(port.PortOpen());

    port.SetDeviceOverride("");  // back to the numbered mapping
    EXPECT_TRUE(port.SetPortOpen(true).ok);
    QtSerialPort second;
    second.SetDeviceOverride(device);
    EXPECT_EQ(second.SetPortOpen(true).error,
              device + " could not be opened: the device is busy (another program has it open)");

    port.SetPortOpen(false);
    port.SetPortOpen(false);
    EXPECT_FALSE(port.PortOpen());
    port.SetCommPort(0);
    EXPECT_EQ(port.SetPortOpen(true).error, "port number 0 names no device");
}

TEST(PortOpenFailures, ReasonsNameWhatTheUserCanDo) {
    EXPECT_EQ(OpenFailureReason(QSerialPort::PermissionError, EACCES, "Permission denied"),
              "permission denied (add your user to the dialout group, then log in again)");
    EXPECT_EQ(OpenFailureReason(QSerialPort::PermissionError, 0, "Permission error while locking the device"),
              "the device is busy (another program has it open)");
    EXPECT_EQ(OpenFailureReason(QSerialPort::OpenError, 0, "Device is already open"), "Device is already open");
}
