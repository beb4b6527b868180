#pragma once
// An in-memory serial port for tests: the given port numbers exist, every message written while
// open is recorded, and an optional responder plays the unit by answering written messages.
#include <deque>
#include <set>
#include <utility>
#include <vector>

#include "link/SerialPort.h"

namespace sonavel {

class MemoryPort : public SerialPort {
public:
    // Given each message written while the port is open; returns the unit's answer (may be empty).
    using Responder = std::function<Bytes(const Bytes& written)>;

    explicit MemoryPort(std::set<int> existingPorts = {1}) : existingPorts_(std::move(existingPorts)) {}

    void SetCommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    bool PortOpen() const override { return open_; }
    PortStatus SetPortOpen(bool open) override;
    void Output(const Bytes& message) override;
    Bytes Input() override { return std::exchange(received_, {}); }

    // The responder's answers are held until DeliverPending, as a real line delivers them
    // after the sender has moved on.
    void SetResponder(Responder responder) { responder_ = std::move(responder); }
    // Delivers the held answers in order and raises OnComm for each; false when none were waiting.
    bool DeliverPending();

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
