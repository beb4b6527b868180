#pragma once
// What time it is, for waits measured in milliseconds rather than timer ticks. Injected so
// that tests can run the line on virtual time.
namespace sonavel {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed moment; never goes back.
    virtual long long NowMs() const = 0;
};

// The system's monotonic clock.
class SteadyClock : public Clock {
public:
    long long NowMs() const override;
};

}  // namespace sonavel
