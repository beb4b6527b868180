#include "link/Transfers.h"

#include <algorithm>
#include <stdexcept>

#include "link/Messages.h"
#include "link/ParameterSender.h"

namespace sonavel {

void Timer2Tick(LinkState& link) {
    link.WaitTicks = std::min(link.WaitTicks + 1, kWaitTickCap);
    link.DelayTicks = std::min(link.DelayTicks + 1, kWaitTickCap);
}

std::string UpdateStatusText(int address, const std::string& ending) {
    return "Recall UnitID: " + std::to_string(address) + "..." + ending;
}

std::string RecallStatusText(int slot, const std::string& ending) {
    return "Recall Preset:User " + std::to_string(slot) + "..." + ending;
}

Transfers::Transfers(ParameterStore& store, LinkState& link, SerialPort& port, Sleeper& sleeper,
                     const Receiver& receiver, TransferCallbacks callbacks)
    : store_(store), link_(link), port_(port), sleeper_(sleeper), receiver_(receiver),
      callbacks_(std::move(callbacks)) {
    if (!callbacks_.PumpEventsOnce)
        throw std::invalid_argument("the transfers need a way to wait for replies");
}

void Transfers::WaitWhile(const std::function<bool()>& condition) {
    while (condition()) callbacks_.PumpEventsOnce();
}

void Transfers::Show(const std::string& text) {
    if (callbacks_.ShowStatus) callbacks_.ShowStatus(text);
}

void Transfers::Call(const std::function<void()>& callback) {
    if (callback) callback();
}

bool Transfers::Update() {
    const int address = link_.DeviceAddress;
    return Read([this] { return CurrentSettingsRequest(link_.DeviceAddress); },
                [address](const std::string& ending) { return UpdateStatusText(address, ending); },
                false);
}

bool Transfers::RecallFromDsp(int slot) {
    if (slot < 1 || slot > kSlotCount) throw std::out_of_range("slot " + std::to_string(slot));
    return Read([this, slot] { return SlotSettingsRequest(slot, link_.DeviceAddress); },
                [slot](const std::string& ending) { return RecallStatusText(slot, ending); }, true);
}

bool Transfers::Read(const std::function<Bytes()>& request,
                     const std::function<std::string(const std::string&)>& statusText,
                     bool slotRecall) {
    const SendingScope sending(link_);
    Call(callbacks_.OpenStatusPanel);
    Show(statusText(""));
    const bool received = ReceiveSettings(request);
    if (received) {
        ApplyDump(statusText("Flish"));
    } else {
        Show(statusText("Error"));
    }
    if (slotRecall) Call(callbacks_.UncheckMuteBoxes);
    return received;
}

bool Transfers::ReceiveSettings(const std::function<Bytes()>& buildRequest) {
    // Wake-up ping: whether the unit answers is not examined, it only gets a moment.
    link_.PingPending = 1;
    link_.WaitTicks = 0;
    if (SendGateOpen(port_, link_)) port_.Output(PresenceQuery(link_.DeviceAddress));
    WaitWhile([this] { return link_.PingPending == 1 && link_.WaitTicks <= kPingWaitTicks; });

    // Built after the ping's wait, with the address as it stands now.
    const Bytes request = buildRequest();
    link_.RecallPending = 1;
    link_.WaitTicks = 0;
    for (int attempt = 0; attempt < kRequestAttempts && link_.RecallPending == 1; ++attempt) {
        if (!SendGateOpen(port_, link_)) continue;
        port_.Output(request);
        link_.RecallPending = 1;
        link_.WaitTicks = 0;
        WaitWhile([this] {
            return link_.RecallPending == 1 && link_.WaitTicks <= kRequestWaitTicks;
        });
    }
    return link_.RecallPending == 0;
}

void Transfers::ApplyDump(const std::string& receivedText) {
    ApplySettingsDump(receiver_.RecallBuffer().data(), store_);
    Show(receivedText);
    link_.DelayTicks = 0;
    WaitWhile([this] { return link_.DelayTicks < kStatusPauseTicks; });
    Show(kApplyingStatus);
    link_.DelayTicks = 0;
    WaitWhile([this] { return link_.DelayTicks < kStatusPauseTicks; });
    Call(callbacks_.ApplyToControls);
    Call(callbacks_.ClosePanel);
}

void Transfers::LoadToDsp(int slot) {
    const Bytes message = StoreToSlotMessage(store_, slot, link_.DeviceAddress);
    const SendingScope sending(link_);
    if (SendGateOpen(port_, link_)) port_.Output(message);
    sleeper_.Sleep(kStoreToSlotPauseMs);
}

}  // namespace sonavel
