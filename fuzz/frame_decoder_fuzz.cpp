// Feeds arbitrary bytes to the simulator's units in arbitrary chunks, as a peer on the line
// would: every frame assembled is whole (header, LEN, trailer), and whatever the units take
// from it leaves every value they hold inside its field's range.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "devsim/FrameAssembler.h"
#include "devsim/UnitBank.h"
#include "fuzz/FuzzCheck.h"

using namespace sonavel;
using sonavel::fuzz::Check;
using namespace sonavel::devsim;

namespace {

void CheckInRange(const ParameterStore& store) {
    for (const StoreField& field : StoreFields())
        for (int i = 0; i < field.Count(); ++i) {
            const int value = ReadStoreField(store, field, i);
            Check(value >= field.min && value <= field.max);
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FrameAssembler assembler;
    UnitBank bank({1, 5});
    // Each chunk is preceded by a byte giving its length (1..64), so splits are explored too.
    for (size_t at = 0; at < size;) {
        const size_t wanted = 1 + data[at] % 64;
        ++at;
        const size_t count = std::min(wanted, size - at);
        for (const Bytes& frame : assembler.Feed(data + at, count)) {
            Check(frame.size() >= kMinFrameLength && frame.size() <= kMaxFrameLength);
            Check(std::equal(frame.begin(), frame.begin() + 4, kHeader) && frame[4] == frame.size());
            Check(frame[frame.size() - 2] == kTrailer[0] && frame.back() == kTrailer[1]);
            const FrameOutcome outcome = bank.Handle(frame);
            Check(!outcome.outcome.empty());
            for (const Bytes& reply : outcome.replies) Check(!reply.empty());
        }
        at += count;
    }
    for (const SimulatedUnit& unit : bank.Units()) {
        CheckInRange(unit.Working());
        for (int slot = 1; slot <= kSlotCount; ++slot) CheckInRange(unit.Slot(slot));
    }
    return 0;
}
