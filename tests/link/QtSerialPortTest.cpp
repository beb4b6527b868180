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

// The port opens the near end of a pseudo-terminal as COM5; the test plays the unit at the far end.
TEST(QtSerialPort, OpenFailuresAreReportedMessagesLeaveAtOnceAndAHangUpClosesThePortOnce) {
    sonavel::test::TerminalPair line;
    const std::string device = line.DevicePath();
    ::setenv("SONAVEL_COM5", device.c_str(), 1);
    QtSerialPort port;
    port.SetCommPort(0);
    EXPECT_EQ(port.SetPortOpen(true).error, "port number 0 names no device");
    port.SetDeviceOverride("/nonexistent/tty");
    EXPECT_EQ(port.SetPortOpen(true).error, "/nonexistent/tty could not be opened: no such device (is it plugged in?)");
    EXPECT_FALSE(port.PortOpen());
    port.SetDeviceOverride("");  // back to the numbered mapping
    port.SetCommPort(5);
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    EXPECT_EQ(port.DeviceName(), device);
    QtSerialPort second;
    second.SetDeviceOverride(device);
    EXPECT_EQ(second.SetPortOpen(true).error,
              device + " could not be opened: the device is busy (another program has it open)");

    // The whole dump is on the line when Output returns, before any event is processed.
    const Bytes dump = StoreToSlotMessage(ParameterStore{}, 1, 1);
    port.Output(dump);
    EXPECT_EQ(line.Far().Read(dump.size(), 1000), dump);

    LinkState link;
    Receiver receiver(link);
    int lost = 0, events = 0;
    std::string reason;
    port.OnComm = [&] { ++events, receiver.OnComm(port.Input()); };
    port.OnPortLost = [&](const std::string& why) { ++lost, reason = why; };
    line.Far().Write(Hex("01 20 03 40 09"));
    line.Far().Write(Hex("01 1F 05 60 0A 0D"));
    EXPECT_TRUE(PumpUntil([&] { return link.OnlineTable(31) == 1; }, 2000));

    events = 0;
    line.Far().Close();
    EXPECT_TRUE(PumpUntil([&] { return !port.PortOpen(); }, 2000));
    PumpUntil([] { return false; }, 200);  // a flood would show here
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(reason, device + " was disconnected");
    EXPECT_LE(events, 1);
    port.Output(PresenceQuery(1));  // closed: ignored
    EXPECT_TRUE(port.Input().empty());
    port.SetPortOpen(false);
    EXPECT_FALSE(port.PortOpen());
    ::unsetenv("SONAVEL_COM5");
}

TEST(PortOpenFailures, ReasonsNameWhatTheUserCanDo) {
    EXPECT_EQ(OpenFailureReason(QSerialPort::PermissionError, EACCES, "Permission denied"),
              "permission denied (add your user to the dialout group, then log in again)");
    EXPECT_EQ(OpenFailureReason(QSerialPort::PermissionError, 0, "Permission error while locking the device"),
              "the device is busy (another program has it open)");
    EXPECT_EQ(OpenFailureReason(QSerialPort::OpenError, 0, "Device is already open"), "Device is already open");
}
