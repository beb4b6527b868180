#pragma once
// The units that share the simulated line: each received frame goes to the unit it is
// addressed to, and the address tool's messages (address field 255) to every unit.
#include <string>
#include <vector>

#include "devsim/MessageDecoder.h"
#include "devsim/SimulatedUnit.h"

namespace sonavel::devsim {

// What became of one frame: its decoding, the replies to put on the line in order, and a
// short note for the log ("applied", "answered", "rejected: ...", "ignored: ...").
struct FrameOutcome {
    DecodedMessage message;
    std::vector<Bytes> replies;
    std::string note;
};

class UnitBank {
public:
    explicit UnitBank(const std::vector<int>& addresses);

    FrameOutcome Handle(const Bytes& frame);

    const std::vector<SimulatedUnit>& Units() const { return units_; }

private:
    void HandleAddressTool(FrameOutcome& outcome);
    SimulatedUnit* Find(int address);

    std::vector<SimulatedUnit> units_;
};

}  // namespace sonavel::devsim
