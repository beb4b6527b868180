#include <gtest/gtest.h>

#include <numeric>

#include "link/Messages.h"
#include "link/Receiver.h"
#include "tests/support/Hex.h"

using namespace sonavel;

namespace {

Bytes Dump(int address, int marker) {
    Bytes dump(121, 0);
    std::copy(std::begin(kHeader), std::end(kHeader), dump.begin());
    dump[4] = 121, dump[5] = 2, dump[7] = uint8_t(marker), dump[118] = uint8_t(address), dump[119] = 5, dump[120] = 0x60;
    return dump;
}

struct ReceiverTest : testing::Test {
    ReceiverTest() { link.DeviceAddress = 3, link.PingPending = 1, link.RecallPending = 1, link.SendCount = 4; }
    int Online() const { return std::accumulate(link.OnlineTable.raw().begin(), link.OnlineTable.raw().end(), 0); }
    LinkState link;
    Receiver receiver{link};
};

}  // namespace

TEST_F(ReceiverTest, PresenceRepliesAfterNoiseConcatenatedAndSplit) {
    receiver.OnComm(Hex("00 01 20 03 40 09 01 05 05 60 01 20 03 40 09 01 20 05 60 01 20 03 40"));
    receiver.OnComm(Hex("09 01 07 05 60"));
    EXPECT_EQ((std::vector<int>{link.OnlineTable(5), link.OnlineTable(32), link.OnlineTable(7), Online(),
                                link.PingPending, link.SendCount, link.RecallPending}),
              (std::vector{1, 1, 1, 3, 0, 0, 1}));
    // A wrong header byte is dropped with what came before it, never taken as a new start.
    receiver.OnComm(Hex("01 01 20 03 40 09 01 08 05 60"));
    EXPECT_EQ(link.OnlineTable(8), 0);
}

TEST_F(ReceiverTest, RepliesThatDoNotQualifyAndImpossibleLengths) {
    receiver.OnComm(Hex("01 20 03 40 09 01 05 05 61"));     // bad trailer
    receiver.OnComm(Hex("01 20 03 40 09 02 05 05 60"));     // not the presence command
    receiver.OnComm(Hex("01 20 03 40 0A 01 05 00 05 60"));  // presence command, wrong length
    receiver.OnComm(Dump(4, 1));                            // another unit's settings
    // Presence replies from impossible addresses never reach the table.
    receiver.OnComm(Hex("01 20 03 40 09 01 00 05 60 01 20 03 40 09 01 21 05 60 01 20 03 40 09 01 FF 05 60"));
    EXPECT_EQ((std::vector<int>{Online(), link.PingPending, link.RecallPending, link.SendCount}), (std::vector{0, 1, 1, 4}));

    // The unit's own dump is kept even with a damaged trailer; a later one of another unit is not.
    Bytes dump = Dump(3, 0x77);
    dump[119] = 0xEE, dump[120] = 0xFF;
    receiver.OnComm(dump);
    EXPECT_TRUE(link.RecallPending == 0 && link.SendCount == 0);
    EXPECT_TRUE(std::equal(dump.begin(), dump.begin() + 120, receiver.RecallBuffer().begin()));
    receiver.OnComm(Dump(5, 0x11));
    EXPECT_EQ(receiver.RecallBuffer()[7], 0x77);

    // Impossible lengths are dropped and assembly resynchronises.
    for (int length : {0, 8, 122, 255}) {
        SCOPED_TRACE(length);
        Bytes junk = {0x01, 0x20, 0x03, 0x40, uint8_t(length)};
        junk.resize(305, 0xAA);
        receiver.OnComm(junk);
        receiver.OnComm(Hex("01 20 03 40 09 01 0C 05 60"));
        EXPECT_EQ(std::exchange(link.OnlineTable(12), 0), 1);
    }
    // A frame of usable length but no known kind (an echo of a sent message) passes by.
    receiver.OnComm(Hex("01 20 03 40 0F 01 79 79 79 79 01 01 03 05 60 01 20 03 40 09 01 02 05 60"));
    EXPECT_EQ(link.OnlineTable(2), 1);
}
