#pragma once
// TCP ports on 127.0.0.1 for tests of network lines.
#include <cstdint>

namespace sonavel::test {

// A port nobody listens on right now: a connection to it is refused.
uint16_t FreeLoopbackPort();

// A socket connected to 127.0.0.1:port, or -1 when the connection is refused.
int ConnectToLoopback(uint16_t port);

// A port that listens but whose queue is full, so that a connection gets no answer at all.
class UnansweredPort {
public:
    UnansweredPort();  // throws std::runtime_error
    ~UnansweredPort();
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;
    uint16_t Port() const { return port_; }

private:
    int listener_ = -1;
    int filler_ = -1;  // the one connection the queue holds
    uint16_t port_ = 0;
};

}  // namespace sonavel::test
