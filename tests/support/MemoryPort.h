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
    explicit MemoryPort(std::set<int> existingPorts = {1}) : existingPorts_(std::move(existingPorts)) {}

    void SetCommPort(int number) override { commPort_ = number; }
    int CommPort() const override { return commPort_; }
    bool PortOpen() const override { return open_; }
    PortStatus SetPortOpen(bool open) override {
        if (open && !open_ && !existingPorts_.contains(commPort_))
            return {false, "COM" + std::to_string(commPort_) + " could not be opened: no such port"};
        open_ = open;
        return {};
    }
    void Output(const Bytes& message) override {
        if (!open_) return;
        written_.push_back(message);
        if (Bytes answer = responder_ ? responder_(message) : Bytes{}; !answer.empty()) pending_.push_back(answer);
    }
    Bytes Input() override { return std::exchange(received_, {}); }

    // The responder answers each message written while open (empty: no answer). Its answers are held
    // until DeliverPending, as a real line delivers them after the sender has moved on.
    void SetResponder(std::function<Bytes(const Bytes& written)> responder) { responder_ = std::move(responder); }
    // Delivers the held answers in order and raises OnComm for each.
    void DeliverPending() {
        while (!pending_.empty()) {
            const Bytes answer = std::move(pending_.front());
            pending_.pop_front();
            if (!open_) continue;  // nothing reaches a closed port
            received_.insert(received_.end(), answer.begin(), answer.end());
            if (OnComm) OnComm();
        }
    }

    const std::vector<Bytes>& Written() const { return written_; }
    void ClearWritten() { written_.clear(); }

private:
    std::set<int> existingPorts_;
    int commPort_ = 1;
    bool open_ = false;
    std::vector<Bytes> written_;
    Bytes received_;
    std::function<Bytes(const Bytes&)> responder_;
    std::deque<Bytes> pending_;
};

}  // namespace sonavel
