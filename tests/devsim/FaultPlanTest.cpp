// The simulator's options and the fault modes they set. A healthy line, lost frames and the
// hang-up are shown on the line by the simulator and end-to-end tests.
#include "devsim/FaultPlan.h"

#include <algorithm>
#include <bit>

#include <gtest/gtest.h>

using namespace sonavel::devsim;
using sonavel::Bytes;

namespace {
Bytes Joined(const std::vector<LineChunk>& chunks) {
    Bytes all;
    for (const LineChunk& c : chunks) all.insert(all.end(), c.bytes.begin(), c.bytes.end());
    return all;
}
}  // namespace

TEST(SimulatorOptions, UnitsInTheOrderGivenAndBadInputIsRefusedNamingTheOption) {
    EXPECT_EQ(ParseOptions({"--units", "32,5,7"}).units, (std::vector<int>{32, 5, 7}));
    EXPECT_TRUE(ParseOptions({"--help"}).help);
    const auto error = [](const std::vector<std::string>& args) -> std::string {
        try {
            ParseOptions(args);
        } catch (const OptionError& e) {
            return e.what();
        }
        return "accepted";
    };
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--units", "0"},      {"--units", "33"},       {"--units", "1,1"},  {"--units", "1,"},
             {"--units", "a"},      {"--units", "-4"},       {"--units"},         {"--garble", "1.5"},
             {"--garble", "x"},     {"--garble", "nan"},     {"--drop-every", "0"}, {"--seed", "-1"},
             {"--hangup-after", "2x"}, {"--link", ""},       {"--frobnicate"},    {"--log"},
             {"--tcp", "0"},        {"--tcp", "4000", "--link", "/tmp/x"}})  // a TCP line has no device to link
        EXPECT_NE(error(args).find(args[0]), std::string::npos) << error(args);
    EXPECT_EQ(error({"--units", "40"}), "--units: 40 is outside 1..32");
}

TEST(FaultPlan, ShapesRepliesSilentGarbledSplitAndNoisyAndTheSeedRepeatsARun) {
    Bytes reply(121);
    for (size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<uint8_t>(i * 7);
    EXPECT_TRUE(FaultPlan(ParseOptions({"--silent"})).Shape(reply).chunks.empty());
    // Rate 1 damages every byte by exactly one bit.
    const ShapedReply shaped = FaultPlan(ParseOptions({"--garble", "1"})).Shape(reply);
    EXPECT_TRUE(shaped.garbled);
    const Bytes garbled = Joined(shaped.chunks);
    ASSERT_EQ(garbled.size(), reply.size());
    for (size_t i = 0; i < reply.size(); ++i) EXPECT_EQ(std::popcount(unsigned(garbled[i] ^ reply[i])), 1);

    // Split: the same bytes in chunks of 1..8 with 2..15 ms between them.
    const auto chunks = FaultPlan(ParseOptions({"--split"})).Shape(reply).chunks;
    EXPECT_GT(chunks.size(), 121u / 8);
    EXPECT_EQ(Joined(chunks), reply);
    EXPECT_EQ(chunks.front().pauseBeforeMs, 0);
    for (size_t i = 1; i < chunks.size(); ++i) {
        EXPECT_TRUE(chunks[i].pauseBeforeMs >= 2 && chunks[i].pauseBeforeMs <= 15) << chunks[i].pauseBeforeMs;
        EXPECT_LE(chunks[i].bytes.size(), 8u);
    }

    // Noise: 1..6 junk bytes first, never a first header byte, then the reply untouched.
    FaultPlan noisy(ParseOptions({"--noise"}));
    for (int round = 0; round < 50; ++round) {
        const auto shaped = noisy.Shape(reply).chunks;
        ASSERT_EQ(shaped.size(), 2u);
        EXPECT_TRUE(shaped[0].bytes.size() >= 1 && shaped[0].bytes.size() <= 6) << shaped[0].bytes.size();
        EXPECT_EQ(std::count(shaped[0].bytes.begin(), shaped[0].bytes.end(), 0x01), 0);
        EXPECT_EQ(shaped[1].bytes, reply);
    }

    const auto run = [&](const char* seed) {
        FaultPlan plan(ParseOptions({"--garble", "0.5", "--split", "--seed", seed}));
        std::vector<std::pair<int, Bytes>> chunks;
        for (const LineChunk& c : plan.Shape(reply).chunks) chunks.emplace_back(c.pauseBeforeMs, c.bytes);
        return chunks;
    };
    EXPECT_EQ(run("7"), run("7"));
    EXPECT_NE(run("7"), run("8"));
}
