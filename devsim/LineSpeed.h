#pragma once
// The pace of a 9600-baud line with 10 bits a byte (8N1): about 1.04 ms per byte, both ways.
#include <algorithm>
#include <chrono>

namespace sonavel::devsim {

constexpr std::chrono::nanoseconds kByteTime{1'000'000'000LL * 10 / 9600};

// When received bytes have fully arrived: a peer's write reaches a pseudo-terminal at once,
// but on the line each byte follows the one before it, one byte time later.
class ArrivalClock {
public:
    using Clock = std::chrono::steady_clock;

    // The time the next byte, read at `readAt`, has come in whole.
    Clock::time_point Arrive(Clock::time_point readAt) {
        lastArrival_ = std::max(lastArrival_, readAt) + kByteTime;
        return lastArrival_;
    }
    Clock::time_point LastArrival() const { return lastArrival_; }

private:
    Clock::time_point lastArrival_{};
};

}  // namespace sonavel::devsim
