// The simulator's line on a TCP port: served to one client at a time, a second one refused.
#include <gtest/gtest.h>

#include "tests/support/Hex.h"
#include "tests/support/LineEnd.h"
#include "tests/support/LoopbackPorts.h"
#include "tests/support/SimulatorProcess.h"

using sonavel::Bytes;
using sonavel::test::ConnectToLoopback;
using sonavel::test::LineEnd;

TEST(SimulatorOnTcp, ServesOneClientAtATime) {
    const Bytes query5 = sonavel::Hex("01 20 03 40 09 0B 05 05 60"), reply5 = sonavel::Hex("01 20 03 40 09 01 05 05 60");
    const uint16_t port = sonavel::test::FreeLoopbackPort();
    const sonavel::test::SimulatorProcess sim({"--units", "5", "--tcp", QString::number(port)});
    EXPECT_EQ(sim.DevicePath(), "tcp://127.0.0.1:" + std::to_string(port));
    {
        LineEnd first(ConnectToLoopback(port));
        first.Write(query5);
        EXPECT_EQ(first.Read(reply5.size(), 1000), reply5);

        LineEnd second(ConnectToLoopback(port));
        const std::string refusal = "sonavel-devsim: the line is in use by another client\r\n";
        EXPECT_EQ(second.Read(100, 1000), Bytes(refusal.begin(), refusal.end()));
    }
    LineEnd next(ConnectToLoopback(port));
    next.Write(query5);
    EXPECT_EQ(next.Read(reply5.size(), 1000), reply5);
}
