// Any stream bytes in any chunks, as anything at a server's address may send them, to the telnet
// com-port client: it keeps no more line data than it was given and answers only telnet commands.
#include "fuzz/FuzzCheck.h"
#include "link/TelnetComPort.h"

using namespace sonavel;
using sonavel::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TelnetComPort telnet;
    telnet.Opening();
    size_t lineBytes = 0;
    fuzz::ForEachChunk(data, size, 16, [&](const uint8_t* chunk, size_t count) {
        const TelnetComPort::Taken taken = telnet.Take(Bytes(chunk, chunk + count));
        lineBytes += taken.data.size();
        Check(lineBytes <= static_cast<size_t>(chunk + count - data));
        Check(taken.answer.empty() || taken.answer.front() == 0xFF);
    });
    return 0;
}
