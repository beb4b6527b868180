#pragma once
// The simulated line: the master side of a pseudo-terminal pair whose slave device the
// editor or the address tool opens as its serial port.
#include <string>

namespace sonavel::devsim {

class PseudoTerminal {
public:
    // Opens a pair in raw mode at 9600 bit/s, 8 data bits, no parity, 1 stop bit. The slave
    // is closed again at once so that the peer's close is seen as a hang-up; the master is
    // non-blocking. Throws std::system_error.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int MasterFd() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    // Closes the master, as an unplugged cable: the peer's reads fail from now on.
    void HangUp();
    bool IsOpen() const { return master_ >= 0; }

private:
    int master_ = -1;
    std::string slavePath_;
};

// A symlink to the line's device at a path of the user's choice, removed again on
// destruction if it still points where it was made to point. An existing symlink at the
// path is replaced; any other file there, or a path where none can be made, is an error
// (OptionError).
class DeviceLink {
public:
    DeviceLink(std::string path, std::string target);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

private:
    std::string path_;
    std::string target_;
};

}  // namespace sonavel::devsim
