#pragma once
// The fault modes: which received frames are lost, when the line is closed, and how each
// reply is shaped on its way out (withheld, garbled, split, preceded by junk). Every random
// choice comes from one generator seeded by --seed, so a run can be repeated exactly.
#include <random>
#include <vector>

#include "devsim/Options.h"
#include "link/Envelope.h"

namespace sonavel::devsim {

// Bytes to put on the line after a pause.
struct LineChunk {
    int pauseBeforeMs = 0;
    Bytes bytes;
};

// One reply as it goes on the line; garbled when at least one of its bytes was damaged.
struct ShapedReply {
    std::vector<LineChunk> chunks;
    bool garbled = false;
};

class FaultPlan {
public:
    explicit FaultPlan(const SimulatorOptions& options);

    // Counts one received frame; true when this frame is to be lost on the line.
    bool CountFrameAndLose();
    // True right after the frame that --hangup-after counts to, and only then.
    bool HangUpDue() const;

    // What goes on the line for one reply; nothing at all for a silent unit.
    ShapedReply Shape(const Bytes& reply);

private:
    Bytes Garble(Bytes reply);
    Bytes Noise();
    int Random(int low, int high);

    SimulatorOptions options_;
    std::mt19937 random_;
    int framesReceived_ = 0;
};

}  // namespace sonavel::devsim
