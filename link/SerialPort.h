#pragma once
// The serial line as the editor and the address tool use it: a numbered port that is opened
// and closed, written in whole messages and read in whatever chunks arrived.
// Line settings are fixed: 9600 bit/s, no parity, 8 data bits, 1 stop bit, raw bytes.
#include <functional>
#include <string>

#include "link/Envelope.h"

namespace sonavel {

struct PortStatus {
    bool ok = true;
    std::string error;  // why the port could not be opened, for the user
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // CommPort: the port number 1..12 the next open uses.
    virtual void SetCommPort(int number) = 0;
    virtual int CommPort() const = 0;

    // PortOpen: reading tells whether the port is open; opening reports a failure as a value.
    virtual bool PortOpen() const = 0;
    virtual PortStatus SetPortOpen(bool open) = 0;

    // Output: queues the whole message and pushes it to the line before returning, so a
    // pause that follows does not hold it back. Ignored while the port is closed.
    virtual void Output(const Bytes& message) = 0;

    // Input: every byte received so far; empties the receive buffer.
    virtual Bytes Input() = 0;

    // OnComm: raised when bytes have arrived (the "data received" event).
    std::function<void()> OnComm;

    // Raised once when an open port was closed because the line went away (the other end
    // hung up, the adapter was pulled), with the reason for the user.
    std::function<void(const std::string& reason)> OnPortLost;
};

// The device a port number names: "COMn" on Windows; elsewhere the path in the environment
// variable SONAVEL_COMn when it is set, else /dev/ttyS<n-1>. Empty for numbers below 1.
// The variable may also hold a network port, tcp://HOST:PORT or rfc2217://HOST:PORT.
std::string DeviceNameForPort(int number);

constexpr int kMaxPortNumber = 12;

// A port as a user names it on a command line: "COM3" (any case) or "3" give the number 3,
// a network port (tcp://HOST:PORT, rfc2217://HOST:PORT) or anything holding a path separator
// is a device path. Throws std::invalid_argument with a message for the user otherwise, for a
// malformed network port, or for a number outside 1..12.
struct PortArgument {
    int number = 0;          // 1..12, or 0 when a device path was given
    std::string devicePath;  // a device path or network port; empty when a number was given
};
PortArgument ParsePortArgument(const std::string& text);

}  // namespace sonavel
