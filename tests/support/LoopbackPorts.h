#pragma once
// TCP ports on 127.0.0.1 for tests of network lines.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

namespace sonavel::test {

inline sockaddr_in LoopbackAddress(uint16_t port) { return {AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}}; }

// A socket bound to a free port of 127.0.0.1, and that port.
inline int BindFreeLoopbackPort(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = LoopbackAddress(0);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return fd;
}

// A port nobody listens on right now: a connection to it is refused.
inline uint16_t FreeLoopbackPort() {
    uint16_t port = 0;
    ::close(BindFreeLoopbackPort(port));
    return port;
}

// A socket connected to 127.0.0.1:port, or -1 when the connection is refused.
inline int ConnectToLoopback(uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = LoopbackAddress(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    ::close(fd);
    return -1;
}

// A port that listens but whose queue is full, so that a connection gets no answer at all: with a
// backlog of 0 the kernel queues one connection, and the SYN of any further one is dropped.
class UnansweredPort {
public:
    UnansweredPort() : listener_(BindFreeLoopbackPort(port_)) {
        if (::listen(listener_, 0) != 0 || (filler_ = ConnectToLoopback(port_)) < 0) {
            ::close(listener_);
            throw std::runtime_error("cannot fill the queue of a loopback listener");
        }
    }
    ~UnansweredPort() {
        ::close(filler_);
        ::close(listener_);
    }
    UnansweredPort(const UnansweredPort&) = delete;
    UnansweredPort& operator=(const UnansweredPort&) = delete;
    uint16_t Port() const { return port_; }

private:
    uint16_t port_ = 0;
    int listener_;
    int filler_ = -1;  // the one connection the queue holds
};

}  // namespace sonavel::test
