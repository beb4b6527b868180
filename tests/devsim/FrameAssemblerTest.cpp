#include "devsim/FrameAssembler.h"

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

using sonavel::Bytes;
using sonavel::devsim::FrameAssembler;

namespace {
const Bytes kQuery5 = sonavel::Hex("01 20 03 40 09 0B 05 05 60"), kRequest1 = sonavel::Hex("01 20 03 40 0A 0C 03 01 05 60");

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}
}  // namespace

TEST(FrameAssembler, FindsFramesAcrossJunkChunksAndBackToBackArrivals) {
    FrameAssembler a;
    // Leading junk is skipped, including a lone first header byte right before the real one.
    EXPECT_EQ(a.Feed(Join({{0x00, 0x01}, kQuery5})), std::vector<Bytes>{kQuery5});
    EXPECT_EQ(a.Feed(Join({kQuery5, kRequest1})), (std::vector{kQuery5, kRequest1}));

    // One frame in three arrivals completes with its last byte.
    EXPECT_TRUE(a.Feed(Bytes(kRequest1.begin(), kRequest1.begin() + 3)).empty());
    EXPECT_TRUE(a.Feed(Bytes(kRequest1.begin() + 3, kRequest1.begin() + 7)).empty());
    EXPECT_TRUE(a.HasPartialFrame());
    EXPECT_EQ(a.Feed(Bytes(kRequest1.begin() + 7, kRequest1.end())), std::vector<Bytes>{kRequest1});
    EXPECT_FALSE(a.HasPartialFrame());
}

TEST(FrameAssembler, DamagedFramesCostOnlyThemselves) {
    FrameAssembler a;
    // A wrong trailer is dropped; the frame right behind it still counts.
    Bytes damaged = kQuery5;
    damaged[8] = 0x61;
    EXPECT_EQ(a.Feed(Join({damaged, kRequest1})), std::vector<Bytes>{kRequest1});

    // A LEN below the envelope or above the longest message is a false start.
    for (uint8_t length : {0x03, 0x08, 0x7A, 0xC8})
        EXPECT_EQ(a.Feed(Join({{0x01, 0x20, 0x03, 0x40, length}, kQuery5})), std::vector<Bytes>{kQuery5}) << +length;

    // A header announcing a long frame that never comes is given up once the bytes inside
    // it fail the trailer test, and the real frame hidden there is found.
    Bytes stray = {0x01, 0x20, 0x03, 0x40, 0x14, 0x04};
    EXPECT_EQ(a.Feed(Join({stray, kQuery5, Bytes(10, 0x00)})), std::vector<Bytes>{kQuery5});

    // A reset forgets the start of a frame.
    a.Feed(Bytes(kQuery5.begin(), kQuery5.begin() + 6));
    a.Reset();
    EXPECT_TRUE(a.Feed(Bytes(kQuery5.begin() + 6, kQuery5.end())).empty());
}
