#include <gtest/gtest.h>

#include "link/Messages.h"
#include "link/ParameterSender.h"
#include "tests/support/MemoryPort.h"
#include "tests/support/VirtualTime.h"

using namespace sonavel;

TEST(SenderTest, GatesDropMessagesPacingAndBookkeeping) {
    ParameterStore store;
    LinkState link;
    link.DeviceAddress = 4;
    MemoryPort port;
    VirtualTime time;
    ParameterSender sender{store, link, port, time};
    const struct {
        const char* gate;
        int refreshBusy, connected;
        bool portOpen, wholeSettings, written;
        int pause;
    } cases[] = {
        // A refresh holds single parameters back without pacing; the whole settings still go.
        {"refresh, single", 1, 1, true, false, false, 0},
        {"refresh, whole", 1, 1, true, true, true, 500},
        // A closed port or a switched-off link drops the message but keeps the user's pause.
        {"link off, single", 0, 0, true, false, false, 128},
        {"port closed, single", 0, 1, false, false, false, 128},
        {"open, single", 0, 1, true, false, true, 128},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gate);
        link.RefreshBusy = c.refreshBusy, link.Connected = c.connected;
        port.SetPortOpen(c.portOpen);
        port.ClearWritten();
        time.pauses.clear();
        const int counted = link.SendCount;
        c.wholeSettings ? sender.LoadPresetNum(1) : sender.LoadInvertStatus();
        EXPECT_EQ(port.Written().size(), c.written ? 1u : 0u);
        EXPECT_EQ(time.pauses, c.pause ? std::vector<int>{c.pause} : std::vector<int>{});
        EXPECT_EQ(link.SendCount, counted + 1) << "every message built is counted";
        EXPECT_EQ(link.Sending, 0);
    }
    EXPECT_EQ(port.Written(), std::vector<Bytes>{InvertMessage(store, 4)});

    // A failing build leaves the link ready for the next send and the presence check.
    store.EqQFactor(1, 1) = -1;
    EXPECT_THROW(sender.LoadEQPrameter(1, 1), ByteOverflow);
    EXPECT_EQ(link.Sending, 0);
    EXPECT_EQ(port.Written().size(), 1u);
}
