#include "tests/support/MemoryPort.h"

#include <string>
#include <utility>

namespace sonavel {

MemoryPort::MemoryPort(std::set<int> existingPorts) : existingPorts_(std::move(existingPorts)) {}

void MemoryPort::SetCommPort(int number) { commPort_ = number; }

PortStatus MemoryPort::SetPortOpen(bool open) {
    if (!open) {
        open_ = false;
        return {};
    }
    if (open_) return {};
    if (!existingPorts_.contains(commPort_))
        return {false, "COM" + std::to_string(commPort_) + " could not be opened: no such port"};
    open_ = true;
    ++openCount_;
    return {};
}

void MemoryPort::Output(const Bytes& message) {
    if (!open_) return;
    written_.push_back(message);
    if (!responder_) return;
    Bytes answer = responder_(message);
    if (!answer.empty()) pending_.push_back(std::move(answer));
}

Bytes MemoryPort::Input() { return std::exchange(received_, {}); }

void MemoryPort::Deliver(const Bytes& bytes) {
    if (!open_ || bytes.empty()) return;
    received_.insert(received_.end(), bytes.begin(), bytes.end());
    if (OnComm) OnComm();
}

void MemoryPort::SetResponder(Responder responder) { responder_ = std::move(responder); }

bool MemoryPort::DeliverPending() {
    if (pending_.empty()) return false;
    while (!pending_.empty()) {
        Bytes answer = std::move(pending_.front());
        pending_.pop_front();
        Deliver(answer);
    }
    return true;
}

void MemoryPort::HangUp() {
    if (!open_) return;
    open_ = false;
    pending_.clear();
    if (OnPortLost) OnPortLost("COM" + std::to_string(commPort_) + " was closed: the line went away");
}

}  // namespace sonavel
