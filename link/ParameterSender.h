#pragma once
// The senders: each copies its store fields into one message and sends it through the send
// gate, then paces the line (128 ms after a single-parameter message, 500 ms after a
// whole-settings message, also when the link is off or the port closed). A single-parameter
// message held back by a running refresh is neither sent nor paced.
#include <functional>

#include "link/LinkState.h"
#include "link/Messages.h"
#include "link/SerialPort.h"
#include "link/Sleeper.h"

namespace sonavel {

constexpr int kParameterPauseMs = 128;
constexpr int kWholeSettingsPauseMs = 500;

// The send gate of every outgoing message: the port is open and the user switched the link
// on. Single-parameter messages also wait while a refresh runs; whole-settings messages,
// the presence query and the transfers' requests do not.
bool SendGateOpen(const SerialPort& port, const LinkState& link);

class ParameterSender {
public:
    ParameterSender(const ParameterStore& store, LinkState& link, SerialPort& port, Sleeper& sleeper);

    void LoadEQPrameter(int channel, int band);
    void LoadLPHPPrameter(int channel, int band);
    void LoadGainDelayPrameter();
    void LoadLimiterPrameter(int channel);
    void LoadLoudnessPrameter(int channel);
    void ByPassFunction(int function, int channel);
    void LoadInvertStatus();
    void LoadPresetNum(int presetNum);  // the whole store into the unit's working set

private:
    // Bookkeeping, build, gate, output and pause shared by every sender.
    void Send(const std::function<Bytes()>& build, bool wholeSettings);

    const ParameterStore& store_;
    LinkState& link_;
    SerialPort& port_;
    Sleeper& sleeper_;
};

}  // namespace sonavel
