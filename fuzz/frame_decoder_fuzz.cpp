// Any bytes in any chunks to the simulator's units: frames are whole, and the units' values stay in range.
#include "devsim/FrameAssembler.h"
#include "devsim/UnitBank.h"
#include "fuzz/FuzzCheck.h"

using namespace sonavel;
using namespace sonavel::devsim;
using namespace sonavel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FrameAssembler assembler;
    UnitBank bank({1, 5});
    ForEachChunk(data, size, 64, [&](const uint8_t* chunk, size_t count) {
        for (const Bytes& frame : assembler.Feed(chunk, count)) {
            Check(frame.size() >= kMinFrameLength && frame.size() <= kMaxFrameLength);
            Check(std::equal(frame.begin(), frame.begin() + 4, kHeader) && frame[4] == frame.size());
            Check(frame[frame.size() - 2] == kTrailer[0] && frame.back() == kTrailer[1]);
            bank.Handle(frame);
        }
    });
    for (const SimulatedUnit& unit : bank.Units()) {
        CheckInRange(unit.Working());
        for (int slot = 1; slot <= kSlotCount; ++slot) CheckInRange(unit.Slot(slot));
    }
    return 0;
}
