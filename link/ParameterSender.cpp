#include "link/ParameterSender.h"

namespace sonavel {

bool SendGateOpen(const SerialPort& port, const LinkState& link) {
    return port.PortOpen() && link.Connected == 1;
}

ParameterSender::ParameterSender(const ParameterStore& store, LinkState& link, SerialPort& port,
                                 Sleeper& sleeper)
    : store_(store), link_(link), port_(port), sleeper_(sleeper) {}

void ParameterSender::Send(const std::function<Bytes()>& build, bool wholeSettings) {
    const SendingScope sending(link_);  // lowered again even if building fails
    const Bytes message = build();
    // A refresh holds back every single-parameter message it raises; as nothing reaches the
    // line, nothing needs pacing. A closed port or a switched-off link paces all the same,
    // so that a user's edit takes the same time whether or not the unit is reached.
    if (!wholeSettings && link_.RefreshBusy == 1) return;
    if (SendGateOpen(port_, link_)) port_.Output(message);
    sleeper_.Sleep(wholeSettings ? kWholeSettingsPauseMs : kParameterPauseMs);
}

void ParameterSender::LoadEQPrameter(int channel, int band) {
    Send([&] { return EqBandMessage(store_, channel, band, link_.DeviceAddress); }, false);
}

void ParameterSender::LoadLPHPPrameter(int channel, int band) {
    Send([&] { return CrossoverMessage(store_, channel, band, link_.DeviceAddress); }, false);
}

void ParameterSender::LoadGainDelayPrameter() {
    Send([&] { return GainDelayMessage(store_, link_.DeviceAddress); }, false);
}

void ParameterSender::LoadLimiterPrameter(int channel) {
    Send([&] { return LimiterMessage(store_, channel, link_.DeviceAddress); }, false);
}

void ParameterSender::LoadLoudnessPrameter(int channel) {
    Send([&] { return LoudnessMessage(store_, channel, link_.DeviceAddress); }, false);
}

void ParameterSender::ByPassFunction(int function, int channel) {
    Send([&] { return FunctionSwitchMessage(store_, function, channel, link_.DeviceAddress); }, false);
}

void ParameterSender::LoadInvertStatus() {
    Send([&] { return InvertMessage(store_, link_.DeviceAddress); }, false);
}

void ParameterSender::LoadPresetNum(int /*presetNum: the unit has one working set*/) {
    Send([&] { return WholeSettingsMessage(store_, link_.DeviceAddress); }, true);
}

}  // namespace sonavel
