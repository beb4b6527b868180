#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <cerrno>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "HexBytes.h"
#include "link/Messages.h"
#include "link/QtSerialPort.h"
#include "link/Receiver.h"

using namespace sonavel;

namespace {

// A pseudo-terminal standing in for the unit: the test holds the far end, the port opens
// the near end as COM5.
struct QtSerialPortTest : testing::Test {
    void SetUp() override {
        char name[128];
        ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
        ::setenv("SONAVEL_COM5", name, 1);
        device = name;
        port.SetCommPort(5);
    }
    void TearDown() override {
        port.SetPortOpen(false);
        if (master >= 0) ::close(master);
        ::close(slave);
        ::unsetenv("SONAVEL_COM5");
    }
    // Runs the event loop until the condition holds or the time is up.
    template <class Condition>
    static bool ProcessEventsUntil(Condition done, int ms = 2000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }
    int master = -1, slave = -1;
    std::string device;
    QtSerialPort port;
};

}  // namespace

TEST_F(QtSerialPortTest, MessagesLeaveAtOnceInBothDirections) {
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    EXPECT_EQ(port.DeviceName(), device);

    // The whole dump is on the line when Output returns, before any event is processed.
    const Bytes dump = StoreToSlotMessage(ParameterStore{}, 1, 1);
    port.Output(dump);
    Bytes far;
    for (pollfd p{master, POLLIN, 0}; far.size() < dump.size() && ::poll(&p, 1, 1000) > 0;) {
        uint8_t buffer[256];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) break;
        far.insert(far.end(), buffer, buffer + n);
    }
    EXPECT_EQ(far, dump);

    LinkState link;
    Receiver receiver(link);
    port.OnComm = [&] { receiver.OnComm(port.Input()); };
    const Bytes reply = Hex("01 20 03 40 09 01 1F 05 60 0A 0D");
    ASSERT_EQ(::write(master, reply.data(), 5), 5);
    ASSERT_EQ(::write(master, reply.data() + 5, reply.size() - 5), ssize_t(reply.size() - 5));
    EXPECT_TRUE(ProcessEventsUntil([&] { return link.OnlineTable(31) == 1; }));
}

TEST_F(QtSerialPortTest, FarEndHangingUpClosesThePortOnce) {
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    int lost = 0, events = 0;
    std::string reason;
    port.OnPortLost = [&](const std::string& why) {
        ++lost;
        reason = why;
    };
    port.OnComm = [&] { ++events; };
    ::close(master);
    master = -1;
    EXPECT_TRUE(ProcessEventsUntil([&] { return !port.PortOpen(); }));
    ProcessEventsUntil([] { return false; }, 200);  // a flood would show here
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

TEST(PortNames, NumbersArgumentsAndDevices) {
    ::unsetenv("SONAVEL_COM4");
    EXPECT_EQ(DeviceNameForPort(4), "/dev/ttyS3");

    EXPECT_EQ(ParsePortArgument("COM3").number, 3);
    EXPECT_EQ(ParsePortArgument("com12").number, 12);
    EXPECT_EQ(ParsePortArgument("7").number, 7);
    const PortArgument path = ParsePortArgument("/dev/ttyUSB0");
    EXPECT_EQ(path.number, 0);
    EXPECT_EQ(path.devicePath, "/dev/ttyUSB0");
    for (const char* bad : {"", "COM", "COM0", "COM13", "0", "13", "COMx", "3a", "-1", "99999999999"})
        EXPECT_THROW(ParsePortArgument(bad), std::invalid_argument) << bad;
}
