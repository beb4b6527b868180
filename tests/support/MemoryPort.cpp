#include "tests/support/MemoryPort.h"

namespace sonavel {

PortStatus MemoryPort::SetPortOpen(bool open) {
    if (open && !open_ && !existingPorts_.contains(commPort_))
        return {false, "COM" + std::to_string(commPort_) + " could not be opened: no such port"};
    openCount_ += open && !open_;
    open_ = open;
    return {};
}

void MemoryPort::Output(const Bytes& message) {
    if (!open_) return;
    written_.push_back(message);
    if (Bytes answer = responder_ ? responder_(message) : Bytes{}; !answer.empty()) pending_.push_back(answer);
}

bool MemoryPort::DeliverPending() {
    if (pending_.empty()) return false;
    while (!pending_.empty()) {
        const Bytes answer = std::move(pending_.front());
        pending_.pop_front();
        if (!open_) continue;  // nothing reaches a closed port
        received_.insert(received_.end(), answer.begin(), answer.end());
        if (OnComm) OnComm();
    }
    return true;
}

}  // namespace sonavel
