#pragma once
// The serial line to one or more units for the command-line tool: the line's session on the
// Qt event loop of the calling thread (the port, Timer2 and the waits), so the tool goes
// through the same gate, transfers, senders and pauses as the editor. It has no status
// panel, so its reads leave out the panel's two display waits.
#include <QTimer>
#include <optional>
#include <string>

#include "link/Clock.h"
#include "link/LinkSession.h"
#include "link/QtSerialPort.h"
#include "link/Sleeper.h"

namespace sonavel::cli {

// How long a unit gets to answer a presence query, as the transfers' wake-up ping.
constexpr int kPresenceTimeoutMs = 220;

// A pause that keeps the event loop running, so that written bytes leave meanwhile.
class EventLoopSleeper : public Sleeper {
public:
    void Sleep(int milliseconds) override;
};

class UnitLine : private LinkView {
public:
    // Opens "COM3", "3" or a device path; throws CliError when it cannot be opened.
    explicit UnitLine(const std::string& portArgument);

    const std::string& PortName() const { return portName_; }

    // Sends presence queries to the address, up to `attempts` times, each waiting up to
    // timeoutMs for the answer.
    bool Answers(int address, int attempts, int timeoutMs = kPresenceTimeoutMs);

    // "Update" (no slot) or "Recall From DSP" of the unit into the store; status texts go
    // to stderr. False when no settings came (the store is unchanged).
    bool Read(int address, std::optional<int> slot, ParameterStore& store);

    // The whole-settings message of a loaded preset, followed by its pause.
    void SendWholeSettings(int address, const ParameterStore& store);

    // "Load to DSP" of the store into the slot, followed by its pause.
    void StoreToSlot(int address, int slot, const ParameterStore& store);

    // Why the line went away while in use, or empty.
    const std::string& LostReason() const { return session_.LostReason(); }

    // How many times bytes have arrived, valid or not: a query that got no valid answer
    // but raised this got a corrupted one.
    int ArrivalCount() const { return arrivals_; }

private:
    void ShowStatus(const std::string& text) override;

    QtSerialPort port_;
    ParameterStore store_;  // what the session reads into and sends from
    EventLoopSleeper sleeper_;
    SteadyClock clock_;
    LinkSession session_;
    QTimer timer2_;
    std::string portName_;
    int arrivals_ = 0;
};

}  // namespace sonavel::cli
