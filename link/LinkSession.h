#pragma once
// The line to the units with all of its rules in one place: the link state, the receive side,
// the senders with their gate and pacing, the bulk transfers, and the presence schedule with
// its lamp. Programs drive it from outside: Tick() and TickWaits() from their 20 ms timers,
// bytes through the port's OnComm. Pauses, waits for events and the time are injected, so
// the line runs on virtual time in tests. What a program shows goes through a LinkView.
//
// The class is split over files by concern: LinkSession.cpp (connection, receive, presence
// schedule, refresh gate) and LinkTransfers.cpp (whole settings read and written).
#include <functional>
#include <string>

#include "link/Clock.h"
#include "link/LinkState.h"
#include "link/ParameterSender.h"
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
constexpr int kOnlineCheckInterval = 20;  // idle ticks between presence checks
constexpr int kMissesPerVerdict = 3;      // presence checks per verdict while off line
constexpr int kUnansweredMessages = 3;    // messages without a reply that count as off line

// The status texts of the reads: "Recall UnitID: 1..." and "Recall Preset:User 3...",
// followed by "Error" or "Flish" at their end; the number is written with a leading blank.
std::string UpdateStatusText(int address, const std::string& ending = "");
std::string RecallStatusText(int slot, const std::string& ending = "");
constexpr const char* kApplyingStatus = "Update...";

// What a program shows of the line. Every method shows nothing unless overridden.
class LinkView {
public:
    virtual ~LinkView() = default;
    // The presence lamp after each presence check.
    virtual void ShowPresenceLamp(bool /*lit*/) {}
    // The line went away under an open port; the link is off already.
    virtual void ShowLineLost(const std::string& /*reason*/) {}
    // A read transfer begins or has ended; no other read starts meanwhile.
    virtual void ReadStarted(bool /*slotRecall*/) {}
    virtual void ReadEnded(bool /*slotRecall*/) {}
    // The read's status panel: opened, its text, closed after a good read.
    virtual void OpenStatusPanel() {}
    virtual void ShowStatus(const std::string& /*text*/) {}
    virtual void ClosePanel() {}
    // The settings read are in the store: show them.
    virtual void ApplyToControls() {}
    // After every slot recall, good or not: both channels unmuted.
    virtual void UncheckMuteBoxes() {}
};

class LinkSession {
public:
    // Processes pending events once, waiting for at least one; the reads and presence
    // queries wait with it, so it must deliver the port's arrivals and TickWaits().
    using EventPump = std::function<void()>;

    struct Options {
        // The two waits after a good read that let a user read the status panel; a program
        // without a panel leaves them out.
        bool statusPanelWaits = true;
    };

    LinkSession(ParameterStore& store, SerialPort& port, Sleeper& sleeper, const Clock& clock,
                EventPump pumpEvents, Options options);
    ~LinkSession();
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    void SetView(LinkView* view) { view_ = view ? view : &silent_; }

    const LinkState& State() const { return link_; }
    // Every single-parameter sender and the whole-settings message of a loaded preset.
    ParameterSender& Sender() { return sender_; }

    // Connect: opens the port unless open; the link is on and the unit counts as on line.
    // When the port cannot be opened the link stays off and the status says why.
    PortStatus SwitchOn();
    // DisConnect: the link is off, the unit off line, the port closed.
    void SwitchOff();
    // Tests the port (open, close, open) and leaves it open only while the link is on. The
    // unit counts as off line either way.
    PortStatus ChoosePort(int number);
    // The address every message carries from now on; the unit counts as off line.
    void ChooseAddress(int address);
    // The addressed unit counts as off line until the next verdict finds a reply.
    void ForgetPresence() { link_.Online = 0; }
    // The program is closing: a running read or presence query ends at once without showing
    // anything more, the link is off and the port closed, so nothing more is sent.
    void Shutdown();
    // Why the line went away while in use, or empty.
    const std::string& LostReason() const { return lostReason_; }

    // Timer1's part: counts idle ticks and runs the presence check when the line has been
    // quiet long enough and no transfer runs.
    void Tick();
    // While the unit is not known to be on line, polls it and every third check judges
    // whether a reply came; while it is, drops back to polling after three unanswered messages.
    void OnLineCheck();
    // Timer2: advances the transfers' wait counters, each held at 100.
    void TickWaits();

    // Holds back every single-parameter message while the controls show a bulk change.
    class RefreshHold {
    public:
        explicit RefreshHold(LinkState& link) : link_(link), before_(link.RefreshBusy) { link_.RefreshBusy = 1; }
        ~RefreshHold() { link_.RefreshBusy = before_; }
        RefreshHold(const RefreshHold&) = delete;
        RefreshHold& operator=(const RefreshHold&) = delete;

    private:
        LinkState& link_;
        int before_;
    };
    [[nodiscard]] RefreshHold HoldParameterMessages() { return RefreshHold(link_); }

    // "Update": reads the addressed unit's current settings into the store. False when no
    // settings came (the store is unchanged and the "...Error" text is shown) or when
    // another read is running (nothing happens then).
    bool Update();
    // "Recall From DSP": reads preset slot 1..16 of the addressed unit into the store, as
    // Update. Throws std::out_of_range for another slot number.
    bool RecallFromDsp(int slot);
    bool ReadRunning() const { return readRunning_; }
    // "Load to DSP": sends the whole store into preset slot 1..16 and pauses 500 ms; the
    // unit does not answer. Throws std::out_of_range for another slot number.
    void LoadToDsp(int slot);
    // Sends a presence query to the addressed unit and waits up to timeoutMs for its reply.
    // False at once when the gate is closed.
    bool QueryPresence(int timeoutMs);

private:
    void OnPortLost(const std::string& reason);
    void WaitWhile(const std::function<bool()>& condition);
    bool Read(const std::function<Bytes()>& request,
              const std::function<std::string(const std::string&)>& statusText, bool slotRecall);
    bool ReceiveSettings(const std::function<Bytes()>& buildRequest);  // ping, then up to three requests
    void ApplyDump(const std::string& receivedText);  // apply, the status waits, show

    ParameterStore& store_;
    SerialPort& port_;
    Sleeper& sleeper_;
    const Clock& clock_;
    EventPump pumpEvents_;
    Options options_;
    LinkState link_;
    Receiver receiver_;
    ParameterSender sender_;
    LinkView silent_;
    LinkView* view_ = &silent_;
    bool readRunning_ = false;
    bool shutDown_ = false;
    std::string lostReason_;
};

}  // namespace sonavel
