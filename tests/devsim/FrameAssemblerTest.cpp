#include "devsim/FrameAssembler.h"

#include <gtest/gtest.h>

#include "tests/support/Hex.h"

using sonavel::Hex;
using Frames = std::vector<sonavel::Bytes>;

TEST(FrameAssembler, FindsFramesAcrossJunkChunksAndBackToBackArrivalsAndDamageCostsOnlyItself) {
    const std::string query = "01 20 03 40 09 0B 05 05 60", request = "01 20 03 40 0A 0C 03 01 05 60";
    sonavel::devsim::FrameAssembler a;
    // Leading junk is skipped, including a lone first header byte right before the real one.
    EXPECT_EQ(a.Feed(Hex("00 01 " + query)), Frames{Hex(query)});
    EXPECT_EQ(a.Feed(Hex(query + " " + request)), (Frames{Hex(query), Hex(request)}));

    // A frame split inside its header completes with its last byte.
    EXPECT_TRUE(a.Feed(Hex("01 20 03")).empty());
    EXPECT_TRUE(a.HasPartialFrame());  // what a silence on the line resets
    EXPECT_EQ(a.Feed(Hex("40 0A 0C 03 01 05 60")), Frames{Hex(request)});

    // A wrong trailer is dropped; the frame right behind it still counts.
    EXPECT_EQ(a.Feed(Hex("01 20 03 40 09 0B 05 05 61 " + request)), Frames{Hex(request)});
    // A LEN below the envelope or above the longest message is a false start.
    for (const std::string length : {"03", "08", "7A", "C8"})
        EXPECT_EQ(a.Feed(Hex("01 20 03 40 " + length + " " + query)), Frames{Hex(query)}) << length;
    // A header announcing a long frame that never comes is given up once the bytes inside
    // it fail the trailer test, and the real frame hidden there is found.
    EXPECT_EQ(a.Feed(Hex("01 20 03 40 14 04 " + query + " 00 00 00 00 00 00 00 00 00 00")), Frames{Hex(query)});

    // A reset forgets the start of a frame.
    a.Feed(Hex("01 20 03 40 09 0B"));
    a.Reset();
    EXPECT_TRUE(a.Feed(Hex("05 05 60")).empty());
}
