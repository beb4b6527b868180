#include "devsim/FaultPlan.h"

#include <bit>

#include <gtest/gtest.h>

using namespace sonavel::devsim;
using sonavel::Bytes;

namespace {
Bytes Reply(size_t size) {
    Bytes reply(size);
    for (size_t i = 0; i < size; ++i) reply[i] = static_cast<uint8_t>(i * 7);
    return reply;
}

Bytes Concatenate(const std::vector<LineChunk>& chunks) {
    Bytes all;
    for (const LineChunk& c : chunks) all.insert(all.end(), c.bytes.begin(), c.bytes.end());
    return all;
}
}  // namespace

TEST(FaultPlan, LosesEveryNthFrameAndHangsUpAfterTheCount) {
    SimulatorOptions options;
    options.dropEvery = 3;
    options.hangupAfter = 5;
    FaultPlan plan(options);
    std::vector<bool> lost;
    for (int frame = 1; frame <= 6; ++frame) {
        lost.push_back(plan.CountFrameAndLose());
        EXPECT_EQ(plan.HangUpDue(), frame >= 5) << frame;
    }
    EXPECT_EQ(lost, (std::vector<bool>{false, false, true, false, false, true}));

    FaultPlan healthy{SimulatorOptions{}};
    for (int frame = 1; frame <= 100; ++frame) EXPECT_FALSE(healthy.CountFrameAndLose());
    EXPECT_FALSE(healthy.HangUpDue());
    const Bytes reply = Reply(121);
    EXPECT_EQ(healthy.Shape(reply).size(), 1u);
    EXPECT_EQ(Concatenate(healthy.Shape(reply)), reply);
}

TEST(FaultPlan, ShapesRepliesSilentGarbledSplitAndNoisy) {
    const Bytes reply = Reply(121);
    SimulatorOptions silent;
    silent.silent = true;
    EXPECT_TRUE(FaultPlan(silent).Shape(reply).empty());

    // Rate 1 damages every byte by exactly one bit.
    SimulatorOptions garble;
    garble.garbleRate = 1.0;
    const Bytes garbled = Concatenate(FaultPlan(garble).Shape(reply));
    ASSERT_EQ(garbled.size(), reply.size());
    for (size_t i = 0; i < reply.size(); ++i) EXPECT_EQ(std::popcount(unsigned(garbled[i] ^ reply[i])), 1);

    // Split: the same bytes in chunks of 1..8 with 2..15 ms between them.
    SimulatorOptions split;
    split.split = true;
    const auto chunks = FaultPlan(split).Shape(reply);
    EXPECT_GT(chunks.size(), 121u / 8);
    EXPECT_EQ(Concatenate(chunks), reply);
    EXPECT_EQ(chunks.front().pauseBeforeMs, 0);
    for (size_t i = 1; i < chunks.size(); ++i) {
        EXPECT_GE(chunks[i].pauseBeforeMs, 2);
        EXPECT_LE(chunks[i].pauseBeforeMs, 15);
        EXPECT_LE(chunks[i].bytes.size(), 8u);
    }

    // Noise: junk first, never a first header byte, then the reply untouched.
    SimulatorOptions noise;
    noise.noise = true;
    FaultPlan noisy(noise);
    for (int round = 0; round < 50; ++round) {
        const auto shaped = noisy.Shape(reply);
        ASSERT_EQ(shaped.size(), 2u);
        EXPECT_GE(shaped[0].bytes.size(), 1u);
        EXPECT_LE(shaped[0].bytes.size(), 6u);
        for (uint8_t b : shaped[0].bytes) EXPECT_NE(b, 0x01);
        EXPECT_EQ(shaped[1].bytes, reply);
    }
}

TEST(FaultPlan, TheSeedRepeatsARunExactly) {
    SimulatorOptions options;
    options.garbleRate = 0.5;
    options.split = true;
    options.seed = 7;
    const Bytes reply = Reply(121);
    FaultPlan a(options), b(options);
    const auto first = a.Shape(reply);
    const auto second = b.Shape(reply);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].bytes, second[i].bytes);
        EXPECT_EQ(first[i].pauseBeforeMs, second[i].pauseBeforeMs);
    }
    options.seed = 8;
    EXPECT_NE(Concatenate(FaultPlan(options).Shape(reply)), Concatenate(first));
}
