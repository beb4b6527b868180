// The bulk transfers of whole settings between the store and the addressed unit: "Update"
// reads the unit's current settings, "Recall From DSP" one of its 16 preset slots, and
// "Load to DSP" writes the store into a slot. The reads wait for replies by pumping events,
// so user edits, timer ticks and arrivals run inside them; one read runs at a time.
#include <stdexcept>

#include "link/LinkSession.h"
#include "link/Messages.h"

namespace sonavel {

namespace {

// Marks a read as running for its whole length, however it ends.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

std::string UpdateStatusText(int address, const std::string& ending) {
    return "Recall UnitID: " + std::to_string(address) + "..." + ending;
}

std::string RecallStatusText(int slot, const std::string& ending) {
    return "Recall Preset:User " + std::to_string(slot) + "..." + ending;
}

bool LinkSession::Update() {
    const int address = link_.DeviceAddress;
    return Read([this] { return CurrentSettingsRequest(link_.DeviceAddress); },
                [address](const std::string& ending) { return UpdateStatusText(address, ending); },
                false);
}

bool LinkSession::RecallFromDsp(int slot) {
    if (slot < 1 || slot > kSlotCount) throw std::out_of_range("slot " + std::to_string(slot));
    return Read([this, slot] { return SlotSettingsRequest(slot, link_.DeviceAddress); },
                [slot](const std::string& ending) { return RecallStatusText(slot, ending); }, true);
}

bool LinkSession::Read(const std::function<Bytes()>& request,
                       const std::function<std::string(const std::string&)>& statusText,
                       bool slotRecall) {
    // A read started inside another's wait would end the outer one's bookkeeping with it.
    if (readRunning_) return false;
    bool received = false;
    {
        const RunningFlag running(readRunning_);
        view_->ReadStarted(slotRecall);
        const SendingScope sending(link_);
        view_->OpenStatusPanel();
        view_->ShowStatus(statusText(""));
        received = ReceiveSettings(request) && !shutDown_;
        if (received)
            ApplyDump(statusText("Flish"));
        else if (!shutDown_)
            view_->ShowStatus(statusText("Error"));
        if (slotRecall && !shutDown_) view_->UncheckMuteBoxes();
    }
    view_->ReadEnded(slotRecall);
    return received;
}

bool LinkSession::ReceiveSettings(const std::function<Bytes()>& buildRequest) {
    // Wake-up ping: whether the unit answers is not examined, it only gets a moment.
    link_.PingPending = 1;
    link_.WaitTicks = 0;
    if (SendGateOpen(port_, link_)) port_.Output(PresenceQuery(link_.DeviceAddress));
    WaitWhile([this] { return link_.PingPending == 1 && link_.WaitTicks <= kPingWaitTicks; });

    // Built after the ping's wait, with the address as it stands now.
    const Bytes request = buildRequest();
    link_.RecallPending = 1;
    link_.WaitTicks = 0;
    int damagedDumps = 0;
    for (int attempt = 0; attempt < kRequestAttempts && link_.RecallPending == 1; ++attempt) {
        if (!SendGateOpen(port_, link_)) continue;
        port_.Output(request);
        link_.RecallPending = 1;
        link_.WaitTicks = 0;
        WaitWhile([this] { return link_.RecallPending == 1 && link_.WaitTicks <= kRequestWaitTicks; });
        // A dump with a value out of range was damaged on the line: it counts as not received,
        // unless every attempt brings such a dump; then the last one is taken, clamped.
        if (link_.RecallPending == 0 && !SettingsBlockInRange(receiver_.RecallBuffer().data()) &&
            ++damagedDumps < kRequestAttempts)
            link_.RecallPending = 1;
    }
    return link_.RecallPending == 0;
}

void LinkSession::ApplyDump(const std::string& receivedText) {
    ApplySettingsDump(receiver_.RecallBuffer().data(), store_);
    view_->ShowStatus(receivedText);
    if (options_.statusPanelWaits) {
        link_.DelayTicks = 0;
        WaitWhile([this] { return link_.DelayTicks < kStatusPauseTicks; });
    }
    view_->ShowStatus(kApplyingStatus);
    if (options_.statusPanelWaits) {
        link_.DelayTicks = 0;
        WaitWhile([this] { return link_.DelayTicks < kStatusPauseTicks; });
    }
    if (shutDown_) return;
    view_->ApplyToControls();
    view_->ClosePanel();
}

void LinkSession::LoadToDsp(int slot) {
    const Bytes message = StoreToSlotMessage(store_, slot, link_.DeviceAddress);
    const SendingScope sending(link_);
    if (SendGateOpen(port_, link_)) port_.Output(message);
    sleeper_.Sleep(kStoreToSlotPauseMs);
}

}  // namespace sonavel
