#include <gtest/gtest.h>

#include <cstdlib>

#include "HexBytes.h"
#include "link/MemoryPort.h"
#include "link/Messages.h"

using namespace sonavel;

TEST(MemoryPort, OpensExistingPortsOnlyAndCarriesBytesWhileOpen) {
    MemoryPort port({1, 3});
    int events = 0;
    port.OnComm = [&] { ++events; };
    port.SetCommPort(2);
    const PortStatus missing = port.SetPortOpen(true);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "COM2 could not be opened: no such port");
    port.Output(PresenceQuery(1));  // closed: nothing leaves or arrives
    port.Deliver(Hex("01 02"));

    port.SetCommPort(3);
    EXPECT_TRUE(port.SetPortOpen(true).ok);
    port.Output(PresenceQuery(2));
    EXPECT_EQ(port.Written(), std::vector<Bytes>{PresenceQuery(2)});
    port.Deliver(Hex("01 02"));
    port.Deliver(Hex("03"));
    EXPECT_EQ(events, 2);
    EXPECT_EQ(port.Input(), Hex("01 02 03"));
    EXPECT_TRUE(port.Input().empty());

    std::vector<std::string> reasons;
    port.OnPortLost = [&](const std::string& why) { reasons.push_back(why); };
    port.HangUp();
    port.HangUp();
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(reasons.size(), 1u);
}

TEST(MemoryPort, ResponderPlaysTheUnit) {
    MemoryPort port;
    port.SetPortOpen(true);
    Bytes received;
    port.OnComm = [&] {
        const Bytes chunk = port.Input();
        received.insert(received.end(), chunk.begin(), chunk.end());
    };
    port.SetResponder([](const Bytes& m) {
        return m[5] == kCmdPresenceQuery ? Hex("01 20 03 40 09 01") + Bytes{m[6], 0x05, 0x60} : Bytes{};
    });
    port.Output(PresenceQuery(6));
    port.Output(InvertMessage(ParameterStore{}, 6));  // unanswered
    EXPECT_TRUE(received.empty()) << "queued answers wait for DeliverPending";
    EXPECT_TRUE(port.DeliverPending());
    EXPECT_EQ(received, Hex("01 20 03 40 09 01 06 05 60"));
    EXPECT_FALSE(port.DeliverPending());

    received.clear();
    port.SetResponder([](const Bytes&) { return Hex("AA"); }, MemoryPort::ReplyTiming::Immediate);
    port.Output(PresenceQuery(6));
    EXPECT_EQ(received, Hex("AA"));
}

TEST(PortNames, NumbersArgumentsAndDevices) {
    ::unsetenv("SONAVEL_COM4");
    EXPECT_EQ(DeviceNameForPort(4), "/dev/ttyS3");
    ::setenv("SONAVEL_COM4", "/dev/pts/9", 1);
    EXPECT_EQ(DeviceNameForPort(4), "/dev/pts/9");
    ::unsetenv("SONAVEL_COM4");
    EXPECT_EQ(DeviceNameForPort(0), "");

    EXPECT_EQ(ParsePortArgument("COM3").number, 3);
    EXPECT_EQ(ParsePortArgument("com12").number, 12);
    EXPECT_EQ(ParsePortArgument("7").number, 7);
    const PortArgument path = ParsePortArgument("/dev/ttyUSB0");
    EXPECT_EQ(path.number, 0);
    EXPECT_EQ(path.devicePath, "/dev/ttyUSB0");
    for (const char* bad : {"", "COM", "COM0", "COM13", "0", "13", "COMx", "3a", "-1", "99999999999"})
        EXPECT_THROW(ParsePortArgument(bad), std::invalid_argument) << bad;
}
