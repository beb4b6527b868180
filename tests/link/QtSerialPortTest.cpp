#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

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
    bool ProcessEventsUntil(Condition done, int ms = 2000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }
    // What the far end reads within the time given, without running the event loop.
    Bytes ReadFarEnd(size_t count, int ms = 1000) {
        Bytes bytes;
        pollfd p{master, POLLIN, 0};
        while (bytes.size() < count && ::poll(&p, 1, ms) > 0) {
            uint8_t buffer[256];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + n);
        }
        return bytes;
    }
    int master = -1, slave = -1;
    std::string device;
    QtSerialPort port;
};

}  // namespace

TEST_F(QtSerialPortTest, MessagesLeaveAtOnceInBothDirections) {
    ASSERT_TRUE(port.SetPortOpen(true).ok);
    EXPECT_EQ(port.DeviceName(), device);
    EXPECT_TRUE(port.PortOpen());

    // The whole dump is on the line when Output returns, before any event is processed.
    ParameterStore store;
    InitDSPPremeter(store);
    const Bytes dump = StoreToSlotMessage(store, 1, 1);
    port.Output(dump);
    EXPECT_EQ(ReadFarEnd(dump.size()), dump);

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
    std::vector<std::string> reasons;
    port.OnPortLost = [&](const std::string& why) { reasons.push_back(why); };
    int events = 0;
    port.OnComm = [&] { ++events; };
    ::close(master);
    master = -1;
    EXPECT_TRUE(ProcessEventsUntil([&] { return !port.PortOpen(); }));
    ProcessEventsUntil([] { return false; }, 200);  // a flood would show here
    EXPECT_EQ(reasons.size(), 1u);
    EXPECT_LE(events, 1);
    port.Output(PresenceQuery(1));  // closed: ignored
    EXPECT_TRUE(port.Input().empty());
}

TEST_F(QtSerialPortTest, OpenFailuresAreReportedNotThrown) {
    port.SetDeviceOverride("/nonexistent/tty");
    const PortStatus status = port.SetPortOpen(true);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.error.rfind("/nonexistent/tty could not be opened: ", 0), 0u) << status.error;
    EXPECT_FALSE(port.PortOpen());

    port.SetDeviceOverride("");  // back to the numbered mapping
    EXPECT_TRUE(port.SetPortOpen(true).ok);
    QtSerialPort second;
    second.SetDeviceOverride(device);
    EXPECT_FALSE(second.SetPortOpen(true).ok) << "the first open holds the line";

    port.SetPortOpen(false);
    port.SetPortOpen(false);
    EXPECT_FALSE(port.PortOpen());
    port.SetCommPort(0);
    EXPECT_EQ(port.SetPortOpen(true).error, "port number 0 names no device");
}
