#pragma once
// A pseudo-terminal standing in for a serial line: the program under test opens the device
// by its path, the test plays the unit at the far end.
#include <string>

#include "tests/support/LineEnd.h"

namespace sonavel::test {

class TerminalPair {
public:
    // Throws std::runtime_error when no pseudo-terminal can be had.
    TerminalPair();
    ~TerminalPair();
    TerminalPair(const TerminalPair&) = delete;
    TerminalPair& operator=(const TerminalPair&) = delete;

    const std::string& DevicePath() const { return path_; }
    LineEnd& Far() { return far_; }
    const LineEnd& Far() const { return far_; }
    // Lets go of the pair's own hold on the device, so that the far end sees a hang-up as
    // soon as the program under test closes it.
    void ReleaseDevice();

private:
    // Opens the pair; returns the far end's descriptor.
    static int OpenPair(int& device, std::string& path);
    int device_ = -1;
    std::string path_;
    LineEnd far_;
};

}  // namespace sonavel::test
