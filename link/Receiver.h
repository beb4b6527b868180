#pragma once
// The receive side: assembles frames byte by byte, resynchronising on the header, and
// recognises the unit's presence reply and settings dump.
#include <array>
#include <cstdint>

#include "link/Envelope.h"
#include "link/LinkState.h"

namespace sonavel {

constexpr int kRxBufferSize = 128;

class Receiver {
public:
    explicit Receiver(LinkState& link);

    // Processes one arrival of bytes (the OnComm event with data received).
    void OnComm(const uint8_t* bytes, size_t count);
    void OnComm(const Bytes& chunk) { OnComm(chunk.data(), chunk.size()); }

    // Frame offsets 0..119 of the last accepted settings dump (RecallBuffer(1..120)).
    const std::array<uint8_t, kRxBufferSize>& RecallBuffer() const { return recall_; }
    int RxPos() const { return rxPos_; }

private:
    void ExamineFrame(int length);

    LinkState& link_;
    std::array<uint8_t, kRxBufferSize> rx_{};
    std::array<uint8_t, kRxBufferSize> recall_{};
    int rxPos_ = 1;
};

}  // namespace sonavel
