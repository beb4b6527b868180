#pragma once
// Assembles the frames the unit receives from the line. Unlike the editor's receiver, the
// unit knows every message of the protocol: it accepts any LEN from 9 to 121, checks the
// trailer, and after a false start looks for the next header inside the bytes it already
// has, so a garbled frame costs nothing but itself.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/Envelope.h"
#include "link/Messages.h"

namespace sonavel::devsim {

constexpr int kMinFrameLength = kEnvelopeBytes;
constexpr int kMaxFrameLength = kSettingsDumpLength;  // the longest message of the protocol

class FrameAssembler {
public:
    // Adds received bytes; returns the frames they completed, in order.
    std::vector<Bytes> Feed(const uint8_t* bytes, size_t count);
    std::vector<Bytes> Feed(const Bytes& bytes) { return Feed(bytes.data(), bytes.size()); }

    // Forgets a partial frame (the peer went away, or the line fell silent mid-frame).
    void Reset() { pending_.clear(); }
    bool HasPartialFrame() const { return !pending_.empty(); }

private:
    // Drops bytes from the front until what is left could start a frame.
    void SkipToPossibleHeader();

    Bytes pending_;
};

}  // namespace sonavel::devsim
