// Arbitrary stream bytes in arbitrary chunks to the telnet com-port client, as anything at a
// server's address may send them: it keeps no more line data than it was given, answers only
// telnet commands, and line data escaped for the stream always comes back unchanged.
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
    const Bytes line(data, data + size);
    const TelnetComPort::Taken back = TelnetComPort().Take(TelnetComPort::Escape(line));
    Check(back.data == line && back.answer.empty());
    return 0;
}
