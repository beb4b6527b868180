#include "devsim/FaultPlan.h"

#include <algorithm>

namespace sonavel::devsim {

namespace {
constexpr int kMaxChunkBytes = 8;
constexpr int kMinChunkPauseMs = 2;
constexpr int kMaxChunkPauseMs = 15;
constexpr int kMaxNoiseBytes = 6;
}  // namespace

FaultPlan::FaultPlan(const SimulatorOptions& options) : options_(options), random_(options.seed) {}

int FaultPlan::Random(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

bool FaultPlan::CountFrameAndLose() {
    ++framesReceived_;
    return options_.dropEvery > 0 && framesReceived_ % options_.dropEvery == 0;
}

bool FaultPlan::HangUpDue() const {
    return options_.hangupAfter > 0 && framesReceived_ == options_.hangupAfter;
}

Bytes FaultPlan::Garble(Bytes reply) {
    std::bernoulli_distribution hit(options_.garbleRate);
    for (uint8_t& byte : reply)
        if (hit(random_)) byte ^= static_cast<uint8_t>(1u << Random(0, 7));
    return reply;
}

// Junk never contains the first header byte, so a receiver that resynchronises on the
// header finds the reply that follows.
Bytes FaultPlan::Noise() {
    Bytes junk(static_cast<size_t>(Random(1, kMaxNoiseBytes)));
    for (uint8_t& byte : junk) {
        do byte = static_cast<uint8_t>(Random(0, 255));
        while (byte == kHeader[0]);
    }
    return junk;
}

ShapedReply FaultPlan::Shape(const Bytes& reply) {
    if (options_.silent) return {};
    ShapedReply shaped;
    if (options_.noise) shaped.chunks.push_back({0, Noise()});
    const Bytes bytes = options_.garbleRate > 0 ? Garble(reply) : reply;
    shaped.garbled = bytes != reply;
    if (!options_.split) {
        shaped.chunks.push_back({0, bytes});
        return shaped;
    }
    for (size_t start = 0; start < bytes.size();) {
        const size_t size = std::min<size_t>(static_cast<size_t>(Random(1, kMaxChunkBytes)), bytes.size() - start);
        const int pause = start == 0 ? 0 : Random(kMinChunkPauseMs, kMaxChunkPauseMs);
        shaped.chunks.push_back({pause, Bytes(bytes.begin() + start, bytes.begin() + start + size)});
        start += size;
    }
    return shaped;
}

}  // namespace sonavel::devsim
