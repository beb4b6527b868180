#include "editor/LevelHandlers.h"

#include "model/ValueScales.h"

namespace sonavel {
namespace {

constexpr int16_t kUnityGain = 121;
constexpr int kFunctionChannelSwitch = 6;
constexpr int kFunctionCompressorSwitch = 3;

// Gain and output gain: "Mute" at the arrow pair's maximum, else the gain in dB.
std::string GainText(int value, int max) {
    if (value == max) return "Mute";
    return NumberText(12 - value * 0.5) + "dB";
}

// Delay of a number of samples at 48 kHz, to the nearest microsecond (halves to even), in ms.
std::string DelayText(int samples) { return NumberText(DelayMilliseconds(samples)) + "mS"; }

}  // namespace

void LevelHandlers::Attach() {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        ChannelControls& controls = c_.controls.channel(channel);
        controls.inputGain.OnEvent([=, this] { InputGain_Change(channel); });
        controls.outputGain.OnEvent([=, this] { OutputGain_Change(channel); });
        controls.delay.OnEvent([=, this] { Delay_Change(channel); });
        for (int kind = 0; kind < kCompressorControls; ++kind)
            controls.compressorArrows[kind].OnEvent([=, this] { Compressor_Change(channel, kind); });
        controls.mute.OnEvent([=, this] { Mute_Click(channel); });
        controls.invert.OnEvent([=, this] { Invert_Click(channel); });
    }
    for (int i = 0; i < kFunctionSwitches; ++i)
        c_.controls.functionSwitches[i].OnEvent([=, this] { FunctionSwitch_Click(i); });
}

void LevelHandlers::StoreGainLevelFromArrows(int number) {
    const int channel = (number - 1) % kChannelCount + 1;
    const bool output = number > kChannelCount;
    ChannelControls& controls = c_.controls.channel(channel);
    const ArrowValue& arrows = output ? controls.outputGain : controls.inputGain;
    (output ? controls.outputGainBox : controls.inputGainBox).SetText(GainText(arrows.value(), arrows.maximum()));
    c_.store.GainLevel(number) = static_cast<int16_t>(arrows.maximum() - arrows.value());
}

void LevelHandlers::StoreDelayFromArrows(int channel) {
    ChannelControls& controls = c_.controls.channel(channel);
    const int samples = controls.delay.maximum() - controls.delay.value();
    controls.delayBox.SetText(DelayText(samples));
    c_.store.DelaySamples(channel) = static_cast<int16_t>(samples + 1);
}

void LevelHandlers::InputGain_Change(int channel) {
    StoreGainLevelFromArrows(channel);
    c_.session.Sender().LoadGainDelayPrameter();
}

void LevelHandlers::OutputGain_Change(int channel) {
    StoreGainLevelFromArrows(channel + kChannelCount);
    c_.store.OutputLevel(channel) = OutputLevelRule(c_.store, channel);
    c_.session.Sender().LoadGainDelayPrameter();
}

void LevelHandlers::Delay_Change(int channel) {
    c_.state.CurrentChannel = channel;
    StoreDelayFromArrows(channel);
    c_.session.Sender().LoadGainDelayPrameter();
}

void LevelHandlers::Compressor_Change(int channel, int kind) {
    c_.state.CurrentChannel = channel;
    ChannelControls& controls = c_.controls.channel(channel);
    const ArrowValue& arrows = controls.compressorArrows[kind];
    const int steps = arrows.maximum() - arrows.value();
    std::string text;
    switch (kind) {
        case 0:
            text = NumberText(-arrows.value() * 0.5) + "dB";
            c_.store.CompThreshold(channel) = static_cast<int16_t>(steps);
            break;
        case 1:
            c_.store.CompAttack(channel) = static_cast<int16_t>(steps);
            text = NumberText(steps) + "mS";
            break;
        case 2:
            c_.store.CompRelease(channel) = static_cast<int16_t>(steps + 1);
            text = NumberText(steps + 1) + "dB/S";
            break;
        default:
            // The step above 1:20 is the limiter.
            if (steps + 1 > kHighestRatio) {
                c_.store.CompRatio(channel) = kLimiterRatio;
                text = "Limiter";
            } else {
                c_.store.CompRatio(channel) = static_cast<int16_t>(steps + 1);
                text = "1:" + NumberText(steps + 1);
            }
            break;
    }
    controls.compressorBoxes[kind].SetText(text);
    c_.session.Sender().LoadLimiterPrameter(channel);
}

// Muting silences the output; unmuting restores 0 dB output gain.
void LevelHandlers::Mute_Click(int channel) {
    const bool muted = c_.controls.channel(channel).mute.checked();
    c_.store.MuteState(channel) = muted ? 1 : 0;
    c_.store.OutputLevel(channel) = muted ? 0 : kUnityGain;
    c_.store.GainLevel(channel + kChannelCount) = muted ? 0 : kUnityGain;
    c_.session.Sender().LoadGainDelayPrameter();
}

void LevelHandlers::Invert_Click(int channel) {
    c_.state.CurrentChannel = channel;
    c_.store.InvertStatus(channel) = c_.controls.channel(channel).invert.checked() ? 1 : 0;
    c_.session.Sender().LoadInvertStatus();
}

// Boxes 0 and 1 switch function 6 of channel 1 and 2, boxes 2 and 3 function 3.
void LevelHandlers::FunctionSwitch_Click(int index) {
    const int16_t value = c_.controls.functionSwitches[index].checked() ? 1 : 0;
    const bool channelSwitch = index < kChannelCount;
    const int channel = channelSwitch ? index + 1 : index - 1;
    (channelSwitch ? c_.store.FuncByPass6 : c_.store.FuncByPass3)(channel) = value;
    c_.state.CurrentChannel = channel;
    c_.session.Sender().ByPassFunction(channelSwitch ? kFunctionChannelSwitch : kFunctionCompressorSwitch, channel);
}

}  // namespace sonavel
