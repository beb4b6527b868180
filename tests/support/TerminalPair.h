#pragma once
// A pseudo-terminal standing in for a serial line, opened as the simulator opens its own: the
// program under test opens the device by its path, the test plays the unit at the far end.
#include <string>

#include "devsim/PseudoTerminal.h"
#include "tests/support/LineEnd.h"

namespace sonavel::test {

class TerminalPair {
public:
    // Throws std::runtime_error when no pseudo-terminal can be had.
    TerminalPair() : far_(TakeFarEnd(path_)), device_(::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {}
    ~TerminalPair() { ReleaseDevice(); }

    const std::string& DevicePath() const { return path_; }
    LineEnd& Far() { return far_; }
    const LineEnd& Far() const { return far_; }
    // Lets go of the pair's hold on the device: the far end sees a hang-up once the program closes it.
    void ReleaseDevice() {
        if (device_ >= 0) ::close(device_);
        device_ = -1;
    }

private:
    static int TakeFarEnd(std::string& path) {
        const devsim::PseudoTerminal line;
        path = line.SlavePath();
        return ::fcntl(line.MasterFd(), F_DUPFD_CLOEXEC, 0);
    }
    std::string path_;
    LineEnd far_;
    int device_;
};

}  // namespace sonavel::test
