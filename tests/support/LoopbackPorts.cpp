#include "tests/support/LoopbackPorts.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace sonavel::test {

namespace {

sockaddr_in Loopback(uint16_t port) {
    return {.sin_family = AF_INET, .sin_port = htons(port), .sin_addr = {htonl(INADDR_LOOPBACK)}, .sin_zero = {}};
}

// A socket bound to a free port of 127.0.0.1, and that port.
int BindFree(uint16_t& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    port = ntohs(address.sin_port);
    return fd;
}

}  // namespace

uint16_t FreeLoopbackPort() {
    uint16_t port = 0;
    ::close(BindFree(port));
    return port;
}

int ConnectToLoopback(uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
    ::close(fd);
    return -1;
}

// With a backlog of 0 the kernel queues one connection; the SYN of any further one is dropped.
UnansweredPort::UnansweredPort() {
    listener_ = BindFree(port_);
    if (::listen(listener_, 0) != 0 || (filler_ = ConnectToLoopback(port_)) < 0) {
        ::close(filler_);
        ::close(listener_);
        throw std::runtime_error("cannot fill the queue of a loopback listener");
    }
}

UnansweredPort::~UnansweredPort() {
    ::close(filler_);
    ::close(listener_);
}

}  // namespace sonavel::test
