#include "devsim/UnitBank.h"

#include "link/LinkState.h"

namespace sonavel::devsim {

namespace {
Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }
}  // namespace

UnitBank::UnitBank(const std::vector<int>& addresses) {
    for (int address : addresses) units_.emplace_back(address);
}

SimulatedUnit* UnitBank::Find(int address) {
    for (SimulatedUnit& unit : units_)
        if (unit.Address() == address) return &unit;
    return nullptr;
}

void UnitBank::HandleAddressTool(FrameOutcome& outcome) {
    const DecodedMessage& m = outcome.message;
    if (m.address != kBroadcastAddress) {
        outcome.outcome = "refused: address tool message not sent to address 255";
        return;
    }
    if (m.kind == MessageKind::ReadAddress) {
        for (const SimulatedUnit& unit : units_) outcome.replies.push_back(TextBytes(unit.AddressText()));
        outcome.outcome = "answered";
        return;
    }
    if (units_.size() != 1) {
        outcome.outcome = "refused: " + std::to_string(units_.size()) + " units share the line";
        return;
    }
    if (m.addressArgument < 1 || m.addressArgument > kMaxAddress) {
        outcome.outcome = "refused: new address " + std::to_string(m.addressArgument) + " is outside 1..32";
        return;
    }
    units_.front().SetAddress(m.addressArgument);
    outcome.replies.push_back(TextBytes(units_.front().AddressText()));
    outcome.outcome = "answered";
}

FrameOutcome UnitBank::Handle(const Bytes& frame) {
    FrameOutcome outcome{DecodeMessage(frame), {}, {}};
    const DecodedMessage& m = outcome.message;
    if (m.kind == MessageKind::ProgramAddress || m.kind == MessageKind::ReadAddress) {
        HandleAddressTool(outcome);
        return outcome;
    }
    SimulatedUnit* unit = Find(m.address);
    if (unit == nullptr) {
        outcome.outcome = "refused: no unit at address " + std::to_string(m.address);
    } else if (m.kind == MessageKind::Unknown) {
        outcome.outcome = "refused: unknown message";
    } else if (!m.problem.empty()) {
        outcome.outcome = "refused: " + m.problem;
    } else if (m.kind == MessageKind::PresenceQuery) {
        outcome.replies.push_back(unit->PresenceReply());
        outcome.outcome = "answered";
    } else if (m.kind == MessageKind::SettingsRequest) {
        outcome.replies.push_back(unit->SettingsDump(m.slot));
        outcome.outcome = "answered";
    } else {
        unit->Apply(m);
        outcome.outcome = "applied";
    }
    return outcome;
}

}  // namespace sonavel::devsim
