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

class FaultPlan {
public:
    explicit FaultPlan(const SimulatorOptions& options);

    // Counts one received frame; true when this frame is to be lost on the line.
    bool CountFrameAndLose();
    // True once as many frames as --hangup-after asks for have been received.
    bool HangUpDue() const;

    // What goes on the line for one reply; nothing at all for a silent unit.
    std::vector<LineChunk> Shape(const Bytes& reply);

private:
    Bytes Garble(Bytes reply);
    Bytes Noise();
    int Random(int low, int high);

    SimulatorOptions options_;
    std::mt19937 random_;
    int framesReceived_ = 0;
};

}  // namespace sonavel::devsim
