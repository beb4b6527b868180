#include <gtest/gtest.h>

#include <chrono>

#include "link/MemoryPort.h"
#include "link/ParameterSender.h"

using namespace sonavel;

namespace {

// Records each pause with the link state seen while the thread would be blocked.
struct VirtualSleeper : Sleeper {
    struct Pause {
        int ms, sending, idleTicks, sendCount;
    };
    explicit VirtualSleeper(LinkState& link) : link(link) {}
    void Sleep(int ms) override {
        pauses.push_back({ms, link.Sending, link.IdleTicks, link.SendCount});
        link.IdleTicks = 9;  // ticks that would pile up meanwhile
    }
    LinkState& link;
    std::vector<Pause> pauses;
};

struct SenderTest : testing::Test {
    SenderTest() {
        InitDSPPremeter(store);
        link.DeviceAddress = 4;
        link.Connected = 1;
        link.IdleTicks = 5;
        port.SetPortOpen(true);
    }
    ParameterStore store;
    LinkState link;
    MemoryPort port;
    VirtualSleeper sleeper{link};
    ParameterSender sender{store, link, port, sleeper};
};

}  // namespace

TEST_F(SenderTest, EverySenderWritesItsMessageAndPaces) {
    sender.LoadEQPrameter(1, 2);
    sender.LoadLPHPPrameter(2, 7);
    sender.LoadGainDelayPrameter();
    sender.LoadLimiterPrameter(1);
    sender.LoadLoudnessPrameter(2);
    sender.ByPassFunction(3, 2);
    sender.LoadInvertStatus();
    sender.LoadPresetNum(5);

    const std::vector<std::pair<int, int>> cmdAndLength = {{4, 17}, {5, 14}, {1, 15}, {2, 15},
                                                           {7, 13}, {3, 11}, {9, 12}, {10, 120}};
    ASSERT_EQ(port.Written().size(), cmdAndLength.size());
    for (size_t i = 0; i < cmdAndLength.size(); ++i) {
        const Bytes& m = port.Written()[i];
        EXPECT_EQ(m[5], cmdAndLength[i].first);
        EXPECT_EQ(m.size(), size_t(cmdAndLength[i].second));
        EXPECT_EQ(m[m.size() - 3], 4) << "address";
    }
    ASSERT_EQ(sleeper.pauses.size(), 8u);
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(sleeper.pauses[i].ms, 128);
    EXPECT_EQ(sleeper.pauses[7].ms, 500);
    EXPECT_EQ(link.SendCount, 8);
}

TEST_F(SenderTest, BookkeepingAroundTheSend) {
    sender.LoadEQPrameter(1, 1);
    ASSERT_EQ(sleeper.pauses.size(), 1u);
    EXPECT_EQ(sleeper.pauses[0].sending, 1);
    EXPECT_EQ(sleeper.pauses[0].idleTicks, 0);
    EXPECT_EQ(sleeper.pauses[0].sendCount, 1);
    EXPECT_EQ(link.Sending, 0);
    EXPECT_EQ(link.IdleTicks, 0);

    // A failing build leaves the link ready for the next send and the presence check.
    store.EqQFactor(1, 1) = -1;
    EXPECT_THROW(sender.LoadEQPrameter(1, 1), ByteOverflow);
    EXPECT_EQ(link.Sending, 0);
    EXPECT_EQ(port.Written().size(), 1u);
}

TEST_F(SenderTest, GatesDropMessagesButKeepThePacing) {
    link.RefreshBusy = 1;
    EXPECT_FALSE(sender.SingleParameterGateOpen());
    EXPECT_TRUE(sender.WholeSettingsGateOpen());
    sender.LoadEQPrameter(1, 1);
    sender.LoadPresetNum(1);
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0][5], kCmdWholeSettings);

    link.RefreshBusy = 0;
    link.Connected = 0;
    sender.LoadEQPrameter(1, 1);
    sender.LoadPresetNum(1);
    link.Connected = 1;
    port.SetPortOpen(false);
    sender.LoadInvertStatus();
    sender.LoadPresetNum(1);
    EXPECT_EQ(port.Written().size(), 1u);

    std::vector<int> pauses;
    for (const auto& p : sleeper.pauses) pauses.push_back(p.ms);
    EXPECT_EQ(pauses, (std::vector<int>{128, 500, 128, 500, 128, 500}));
    EXPECT_EQ(link.SendCount, 6);
}

TEST(ThreadSleeper, BlocksForTheTimeGiven) {
    ThreadSleeper sleeper;
    const auto start = std::chrono::steady_clock::now();
    sleeper.Sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}
