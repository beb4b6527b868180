// Any bytes in any chunks to the receiver: it stays in its buffer and takes a dump only from the unit asked.
#include "fuzz/FuzzCheck.h"
#include "link/Receiver.h"

using namespace sonavel;
using sonavel::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    LinkState link;
    link.DeviceAddress = 1 + data[0] % kMaxAddress;
    link.RecallPending = 1;
    Receiver receiver(link);
    fuzz::ForEachChunk(data + 1, size - 1, 64, [&](const uint8_t* chunk, size_t count) {
        receiver.OnComm(chunk, count);
        Check(receiver.RxPos() >= 1 && receiver.RxPos() <= kRxBufferSize);
    });
    if (link.RecallPending == 0) {
        const auto& dump = receiver.RecallBuffer();
        Check(dump[4] == 121 && dump[5] == 2 && dump[118] == link.DeviceAddress);
    }
    return 0;
}
