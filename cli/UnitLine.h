#pragma once
// The serial line to one or more units for the command-line tool: the port, the receive
// side, Timer2 and the waits run on the Qt event loop of the calling thread, so the tool
// goes through the same transfers, senders and pauses as the editor.
#include <QTimer>
#include <optional>
#include <string>

#include "link/LinkState.h"
#include "link/QtSerialPort.h"
#include "link/Receiver.h"
#include "link/Sleeper.h"
#include "link/Transfers.h"

namespace sonavel::cli {

// A pause that keeps the event loop running, so that written bytes leave meanwhile.
class EventLoopSleeper : public Sleeper {
public:
    void Sleep(int milliseconds) override;
};

class UnitLine {
public:
    // Opens "COM3", "3" or a device path; throws CliError when it cannot be opened.
    explicit UnitLine(const std::string& portArgument);

    const std::string& PortName() const { return portName_; }

    // Sends presence queries to the address, up to `attempts` times, each waiting about
    // 220 ms for the answer.
    bool Answers(int address, int attempts);

    // "Update" (no slot) or "Recall From DSP" of the unit into the store; status texts go
    // to stderr. False when no settings came.
    bool Read(int address, std::optional<int> slot, ParameterStore& store);

    // The whole-settings message of a loaded preset, followed by its pause.
    void SendWholeSettings(int address, const ParameterStore& store);

    // "Load to DSP" of the store into the slot, followed by its pause.
    void StoreToSlot(int address, int slot, ParameterStore& store);

    // Why the line went away while in use, or empty.
    const std::string& LostReason() const { return lostReason_; }

private:
    void PumpEventsOnce();
    Transfers MakeTransfers(ParameterStore& store);

    QtSerialPort port_;
    LinkState link_;
    Receiver receiver_;
    QTimer timer2_;
    EventLoopSleeper sleeper_;
    std::string portName_;
    std::string lostReason_;
};

}  // namespace sonavel::cli
