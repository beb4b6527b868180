#pragma once
// The units that share the simulated line: each received frame goes to the unit it is
// addressed to, and the address tool's messages (address field 255) to every unit.
#include <string>
#include <vector>

#include "devsim/MessageDecoder.h"
#include "devsim/SimulatedUnit.h"

namespace sonavel::devsim {

// What the units did with one frame: its decoding, the replies they built in order, and the
// outcome for the log: "applied" (taken, nothing to answer), "answered" (replies built) or
// "refused: <why>". The line may still change the outcome of the replies on their way out.
struct FrameOutcome {
    DecodedMessage message;
    std::vector<Bytes> replies;
    std::string outcome;
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
