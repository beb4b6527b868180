#pragma once
// An in-memory serial port for tests: a configurable set of port numbers
// exist, every message written while open is recorded, received bytes are injected with
// Deliver, and an optional responder plays the unit by answering written messages.
#include <deque>
#include <set>
#include <vector>

#include "link/SerialPort.h"

namespace sonavel {

class MemoryPort : public SerialPort {
public:
    // Given each message written while the port is open; returns the unit's answer (may be empty).
    using Responder = std::function<Bytes(const Bytes& written)>;

    explicit MemoryPort(std::set<int> existingPorts = {1});

    void SetCommPort(int number) override;
    int CommPort() const override { return commPort_; }
    bool PortOpen() const override { return open_; }
    PortStatus SetPortOpen(bool open) override;
    void Output(const Bytes& message) override;
    Bytes Input() override;

    // Puts bytes into the receive buffer and raises OnComm. Ignored while the port is closed,
    // as nothing reaches a closed port.
    void Deliver(const Bytes& bytes);

    // The responder's answers are held until DeliverPending, as a real line delivers them
    // after the sender has moved on.
    void SetResponder(Responder responder);
    // Delivers the held answers in the order they were given; false when none were waiting.
    bool DeliverPending();

    // The other end goes away: the port closes and OnPortLost is raised.
    void HangUp();

    const std::vector<Bytes>& Written() const { return written_; }
    void ClearWritten() { written_.clear(); }
    int OpenCount() const { return openCount_; }  // successful opens so far

private:
    std::set<int> existingPorts_;
    int commPort_ = 1;
    bool open_ = false;
    int openCount_ = 0;
    std::vector<Bytes> written_;
    Bytes received_;
    Responder responder_;
    std::deque<Bytes> pending_;
};

}  // namespace sonavel
