#include <gtest/gtest.h>

#include <cerrno>

#include "link/Messages.h"
#include "link/QtSerialPort.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/TerminalPair.h"

using namespace sonavel;
using sonavel::test::PumpUntil;

// The port opens the near end of a pseudo-terminal; the test plays the unit at the far end. The
// numbered mapping to a device is the end-to-end tests'.
TEST(QtSerialPort, OpenFailuresAreReportedMessagesLeaveAtOnceAndAHangUpClosesThePortOnce) {
    sonavel::test::TerminalPair line;
    const std::string device = line.DevicePath();
    QtSerialPort port;
    port.SetCommPort(0);
    EXPECT_EQ(port.SetPortOpen(true).error, "port number 0 names no device");
    port.SetDeviceOverride("/nonexistent/tty");
    EXPECT_EQ(port.SetPortOpen(true).error, "/nonexistent/tty could not be opened: no such device (is it plugged in?)");
    port.SetDeviceOverride(device);
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    QtSerialPort second;
    second.SetDeviceOverride(device);
    EXPECT_EQ(second.SetPortOpen(true).error,
              device + " could not be opened: the device is busy (another program has it open)");

    // The whole dump is on the line when Output returns, before any event is processed.
    const Bytes dump = StoreToSlotMessage(ParameterStore{}, 1, 1);
    port.Output(dump);
    EXPECT_EQ(line.Far().Read(dump.size(), 1000), dump);

    int events = 0;
    std::vector<std::string> lost;
    port.OnComm = [&] { ++events; };
    port.OnPortLost = [&](const std::string& why) { lost.push_back(why); };
    line.Far().Close();
    EXPECT_TRUE(PumpUntil([&] { return !port.PortOpen(); }, 2000));
    PumpUntil([] { return false; }, 200);  // a flood would show here
    EXPECT_EQ(lost, std::vector<std::string>{device + " was disconnected"});
    EXPECT_LE(events, 1);

    EXPECT_EQ(OpenFailureReason(QSerialPort::PermissionError, EACCES, "Permission denied"),
              "permission denied (add your user to the dialout group, then log in again)");
}
