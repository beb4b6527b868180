#pragma once
// The bulk transfers of whole settings between the store and the addressed unit:
// "Update" reads the unit's current settings, "Recall From DSP" one of its 16 preset slots,
// and "Load to DSP" writes the store into a slot. The same code serves the editor and the
// command-line tool; waiting and everything shown to the user are the caller's callbacks.
//
// A read waits by calling PumpEventsOnce until a reply has been received or the wait
// counters run out; the caller's event processing must therefore deliver the port's
// arrivals to the Receiver and tick Timer2Tick every 20 ms.
#include <functional>
#include <string>

#include "link/LinkState.h"
#include "link/Receiver.h"
#include "link/SerialPort.h"
#include "link/Sleeper.h"
#include "model/ParameterStore.h"

namespace sonavel {

constexpr int kWaitTickCap = 100;
constexpr int kPingWaitTicks = 10;     // waits while WaitTicks <= 10: about 220 ms
constexpr int kRequestWaitTicks = 50;  // waits while WaitTicks <= 50: about 1 s
constexpr int kRequestAttempts = 3;
constexpr int kStatusPauseTicks = 31;  // each status stays about 620 ms after a good read
constexpr int kStoreToSlotPauseMs = 500;

// Timer2: every 20 ms WaitTicks and DelayTicks go up by one, each held at 100.
void Timer2Tick(LinkState& link);

// The status texts of the reads: "Recall UnitID: 1..." and "Recall Preset:User 3...",
// followed by "Error" or "Flish" at their end; the number is written with a leading blank.
std::string UpdateStatusText(int address, const std::string& ending = "");
std::string RecallStatusText(int slot, const std::string& ending = "");
constexpr const char* kApplyingStatus = "Update...";

// What the reads need from the program around them. Any callback may be left empty except
// PumpEventsOnce.
struct TransferCallbacks {
    std::function<void()> PumpEventsOnce;  // process pending events once
    std::function<void()> OpenStatusPanel;
    std::function<void(const std::string&)> ShowStatus;
    std::function<void()> ApplyToControls;  // show the new store (after the second pause)
    std::function<void()> ClosePanel;       // the panel's "Exit"
    std::function<void()> UncheckMuteBoxes; // after every slot recall, good or not
};

class Transfers {
public:
    Transfers(ParameterStore& store, LinkState& link, SerialPort& port, Sleeper& sleeper,
              const Receiver& receiver, TransferCallbacks callbacks);

    // "Update": reads the addressed unit's current settings into the store. False when no
    // settings came (the store is unchanged and the "...Error" text is shown).
    bool Update();

    // "Recall From DSP": reads preset slot 1..16 of the addressed unit into the store.
    // Throws std::out_of_range for another slot number.
    bool RecallFromDsp(int slot);

    // "Load to DSP": sends the whole store into preset slot 1..16 and pauses 500 ms; the
    // unit does not answer. Throws std::out_of_range for another slot number. The editor
    // fills its preset record from the store before calling.
    void LoadToDsp(int slot);

private:
    void WaitWhile(const std::function<bool()>& condition);
    bool Read(const std::function<Bytes()>& request,
              const std::function<std::string(const std::string&)>& statusText, bool slotRecall);
    bool ReceiveSettings(const std::function<Bytes()>& buildRequest);  // ping, then up to three requests
    void ApplyDump(const std::string& receivedText);  // apply, two pauses, refresh
    void Show(const std::string& text);
    void Call(const std::function<void()>& callback);

    ParameterStore& store_;
    LinkState& link_;
    SerialPort& port_;
    Sleeper& sleeper_;
    const Receiver& receiver_;
    TransferCallbacks callbacks_;
};

}  // namespace sonavel
