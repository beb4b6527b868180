// Feeds arbitrary bytes to the receiver in arbitrary chunks and checks that assembly stays
// inside its buffer and that only possible addresses are marked on line.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>

#include "link/Receiver.h"

using namespace sonavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    LinkState link;
    link.DeviceAddress = 1 + data[0] % kMaxAddress;
    link.RecallPending = 1;
    Receiver receiver(link);
    // Each chunk is preceded by a byte giving its length (1..64), so splits are explored too.
    size_t at = 1;
    while (at < size) {
        const size_t wanted = 1 + data[at++] % 64;
        const size_t count = std::min(wanted, size - at);
        receiver.OnComm(data + at, count);
        at += count;
        if (receiver.RxPos() < 1 || receiver.RxPos() > kRxBufferSize) std::abort();
    }
    if (link.RecallPending == 0) {
        const auto& dump = receiver.RecallBuffer();
        if (dump[4] != 121 || dump[5] != 2 || dump[118] != link.DeviceAddress) std::abort();
    }
    return 0;
}
