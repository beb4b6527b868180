// Feeds arbitrary stream bytes in arbitrary chunks to the telnet com-port client, as a network
// serial server (or anything listening at that address) may send them, and checks that it
// keeps no more line data than it was given, that every answer is a telnet command, and
// that line data escaped for the stream always comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>

#include "link/TelnetComPort.h"

using namespace sonavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TelnetComPort telnet;
    telnet.Opening();
    // Each chunk is preceded by a byte giving its length (1..16), so splits are explored too.
    size_t at = 0, lineBytes = 0;
    while (at < size) {
        const size_t wanted = 1 + data[at++] % 16;
        const size_t count = std::min(wanted, size - at);
        const TelnetComPort::Taken taken = telnet.Take(Bytes(data + at, data + at + count));
        at += count;
        lineBytes += taken.data.size();
        if (lineBytes > at) std::abort();
        if (!taken.answer.empty() && taken.answer.front() != 0xFF) std::abort();
    }
    const Bytes line(data, data + size);
    const TelnetComPort::Taken back = TelnetComPort().Take(TelnetComPort::Escape(line));
    if (back.data != line || !back.answer.empty()) std::abort();
    return 0;
}
