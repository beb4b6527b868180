#pragma once
// The serial line carried by a network serial server, on Qt's TCP socket: a raw byte stream
// (tcp://) or telnet with the com-port option (rfc2217://), which sets the line to 9600 bit/s,
// 8 data bits, no parity, 1 stop bit. Opening waits for the connection with the event loop
// running but user input held back, for at most a few seconds; a refused, unanswered or
// dropped connection is reported with the port's name and the reason.
#include <QTcpSocket>
#include <functional>
#include <optional>
#include <string>

#include "link/NetworkPortName.h"
#include "link/SerialPort.h"
#include "link/TelnetComPort.h"

namespace sonavel {

class QtNetworkLine {
public:
    QtNetworkLine();
    ~QtNetworkLine();

    PortStatus Open(const NetworkPortName& name);
    void Close();
    bool IsOpen() const { return open_; }

    // Writes the whole message and pushes it into the network before returning, so that a
    // pause that follows is measured from the moment the bytes left.
    void Write(const Bytes& data);
    // The line bytes received so far; empties the buffer.
    Bytes TakeReceived();

    std::function<void()> OnData;
    // Raised once, from the event loop, when an open connection broke.
    std::function<void(const std::string& reason)> OnLost;

private:
    // One connection attempt within the time; empty when it stands, else why not.
    std::string Attempt(int timeoutMs);
    void Send(const Bytes& wire);
    void ReadArrived();
    void Lose(const std::string& reason);
    bool WaitUntil(const std::function<bool()>& done, int milliseconds);

    QTcpSocket socket_;
    NetworkPortName name_;
    std::optional<TelnetComPort> telnet_;
    Bytes received_;
    bool open_ = false;
    bool opening_ = false;
    bool turnedAway_ = false;  // the last attempt connected, but the server closed it at once
    std::string openFailure_;
    int generation_ = 0;  // counts closes, so a loss report queued before a close is dropped
};

}  // namespace sonavel
