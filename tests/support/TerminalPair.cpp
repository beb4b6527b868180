#include "tests/support/TerminalPair.h"

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <stdexcept>

namespace sonavel::test {

int TerminalPair::OpenPair(int& device, std::string& path) {
    int far = -1;
    char name[256];
    if (openpty(&far, &device, name, nullptr, nullptr) != 0) throw std::runtime_error("no pseudo-terminal");
    fcntl(far, F_SETFL, O_NONBLOCK);
    path = name;
    return far;
}

TerminalPair::TerminalPair() : far_(OpenPair(device_, path_)) {}

TerminalPair::~TerminalPair() { ReleaseDevice(); }

void TerminalPair::ReleaseDevice() {
    if (device_ >= 0) close(device_);
    device_ = -1;
}

}  // namespace sonavel::test
