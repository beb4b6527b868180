#include <gtest/gtest.h>

#include "link/Messages.h"
#include "link/ParameterSender.h"
#include "tests/support/MemoryPort.h"

using namespace sonavel;

namespace {

// Records each pause with the link state seen while the thread would be blocked.
struct VirtualSleeper : Sleeper {
    explicit VirtualSleeper(LinkState& link) : link(link) {}
    void Sleep(int ms) override {
        pauses.push_back(ms);
        seen.push_back({link.Sending, link.IdleTicks, link.SendCount});
        link.IdleTicks = 9;  // ticks that would pile up meanwhile
    }
    LinkState& link;
    std::vector<int> pauses;
    std::vector<std::vector<int>> seen;  // Sending, IdleTicks and SendCount during each pause
};

struct SenderTest : testing::Test {
    SenderTest() {
        InitDSPPremeter(store);
        link.DeviceAddress = 4, link.Connected = 1, link.IdleTicks = 5;
        port.SetPortOpen(true);
    }
    ParameterStore store;
    LinkState link;
    MemoryPort port;
    VirtualSleeper sleeper{link};
    ParameterSender sender{store, link, port, sleeper};
};

}  // namespace

TEST_F(SenderTest, BookkeepingAroundTheSend) {
    sender.LoadEQPrameter(1, 1);
    EXPECT_EQ(port.Written(), std::vector<Bytes>{EqBandMessage(store, 1, 1, 4)});
    EXPECT_EQ(sleeper.pauses, std::vector<int>{128});
    EXPECT_EQ(sleeper.seen.at(0), (std::vector{1, 0, 1}));
    EXPECT_EQ((std::vector<int>{link.Sending, link.IdleTicks}), (std::vector{0, 0}));

    // A failing build leaves the link ready for the next send and the presence check.
    store.EqQFactor(1, 1) = -1;
    EXPECT_THROW(sender.LoadEQPrameter(1, 1), ByteOverflow);
    EXPECT_EQ(link.Sending, 0);
    EXPECT_EQ(port.Written().size(), 1u);
}

TEST_F(SenderTest, GatesDropMessagesButKeepThePacing) {
    link.RefreshBusy = 1;  // closes the gate to single parameters only
    sender.LoadEQPrameter(1, 1);
    sender.LoadPresetNum(1);
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0][5], kCmdWholeSettings);

    link.RefreshBusy = 0, link.Connected = 0;
    sender.LoadEQPrameter(1, 1);
    sender.LoadPresetNum(1);
    link.Connected = 1;
    port.SetPortOpen(false);
    sender.LoadInvertStatus();
    sender.LoadPresetNum(1);
    EXPECT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(sleeper.pauses, (std::vector<int>{128, 500, 128, 500, 128, 500}));
    EXPECT_EQ(link.SendCount, 6);
}
