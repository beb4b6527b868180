// The simulator's options and the fault modes they set. A healthy line, lost frames and the
// hang-up are shown on the line by the simulator and end-to-end tests.
#include "devsim/FaultPlan.h"

#include <algorithm>
#include <bit>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace sonavel::devsim;
using sonavel::Bytes;
using namespace testing;

static Bytes Joined(const std::vector<LineChunk>& chunks) {
    Bytes all;
    for (const LineChunk& c : chunks) all.insert(all.end(), c.bytes.begin(), c.bytes.end());
    return all;
}

TEST(SimulatorOptions, UnitsInTheOrderGivenAndBadInputIsRefusedNamingTheOption) {
    EXPECT_EQ(ParseOptions({"--units", "32,5,7"}).units, (std::vector<int>{32, 5, 7}));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--units", "0"}, {"--units", "1,1"}, {"--units", "1,"}, {"--units"}, {"--garble", "nan"},
             {"--drop-every", "0"}, {"--hangup-after", "2x"}, {"--link", ""}, {"--frobnicate"},
             {"--tcp", "4000", "--link", "/tmp/x"}})  // a TCP line has no device to link
        EXPECT_THAT([&] { ParseOptions(args); }, ThrowsMessage<OptionError>(HasSubstr(args[0])));
    EXPECT_THAT([] { ParseOptions({"--units", "33"}); },
                ThrowsMessage<OptionError>(StrEq("--units: 33 is outside 1..32")));
}

TEST(FaultPlan, ShapesRepliesSilentGarbledSplitAndNoisyAndTheSeedRepeatsARun) {
    Bytes reply(121);
    for (size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<uint8_t>(i * 7);
    const auto shape = [&](const std::vector<std::string>& args) { return FaultPlan(ParseOptions(args)).Shape(reply); };
    EXPECT_TRUE(shape({"--silent"}).chunks.empty());
    // Rate 1 damages every byte by exactly one bit.
    const ShapedReply shaped = shape({"--garble", "1"});
    EXPECT_TRUE(shaped.garbled);
    const Bytes garbled = Joined(shaped.chunks);
    ASSERT_EQ(garbled.size(), reply.size());
    for (size_t i = 0; i < reply.size(); ++i) EXPECT_EQ(std::popcount(unsigned(garbled[i] ^ reply[i])), 1);

    // Split: the same bytes, the first chunk at once, then chunks of 1..8 after 2..15 ms each.
    const auto chunks = shape({"--split"}).chunks;
    EXPECT_EQ(Joined(chunks), reply);
    EXPECT_EQ(chunks.front().pauseBeforeMs, 0);
    for (const LineChunk& c : std::vector(chunks.begin() + 1, chunks.end()))
        EXPECT_TRUE(c.pauseBeforeMs >= 2 && c.pauseBeforeMs <= 15 && c.bytes.size() <= 8) << c.pauseBeforeMs;

    // Noise: 1..6 junk bytes first, never a first header byte, then the reply untouched.
    FaultPlan noisy(ParseOptions({"--noise"}));
    for (int round = 0; round < 50; ++round) {
        const auto shaped = noisy.Shape(reply).chunks;
        ASSERT_EQ(shaped.size(), 2u);
        const Bytes& junk = shaped[0].bytes;
        EXPECT_TRUE(junk.size() >= 1 && junk.size() <= 6 && std::count(junk.begin(), junk.end(), 0x01) == 0) << round;
        EXPECT_EQ(shaped[1].bytes, reply);
    }

    const auto damage = [&](const char* seed) { return Joined(shape({"--garble", "0.5", "--seed", seed}).chunks); };
    EXPECT_EQ(damage("7"), damage("7"));
    EXPECT_NE(damage("7"), damage("8"));
}
