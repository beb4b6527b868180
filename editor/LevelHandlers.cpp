// Gain, output gain, delay, compressor, mute, invert and the function switches. These act
// the same whether the user or a refresh changed them; during a refresh the senders hold
// their messages back.
#include <QCheckBox>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "editor/WindowLayout.h"
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

// GainLevel(number) takes its arrow pair's value, which its box shows: numbers 1, 2 are the
// input gains, 3, 4 the output gains of channel 1, 2.
void MainWindow::StoreGainLevelFromArrows(int number) {
    const int index = (number - 1) % kChannelCount;
    const bool output = number > kChannelCount;
    const ArrowPair* arrows = control<ArrowPair>(MemberName(output ? "VScroll9" : "VScroll4", index));
    control<TextBox>(MemberName(output ? "Text10" : "Text6", index))
        ->setText(QString::fromStdString(GainText(arrows->value(), arrows->maximum())));
    store_.GainLevel(number) = static_cast<int16_t>(arrows->maximum() - arrows->value());
}

// The channel's delay takes its arrow pair's value, which its box shows.
void MainWindow::StoreDelayFromArrows(int index) {
    const ArrowPair* arrows = control<ArrowPair>(MemberName("VScroll5", index));
    const int samples = arrows->maximum() - arrows->value();
    control<TextBox>(MemberName("Text9", index))->setText(QString::fromStdString(DelayText(samples)));
    store_.DelaySamples(index + 1) = static_cast<int16_t>(samples + 1);
}

void MainWindow::InputGain_Change(int index) {
    StoreGainLevelFromArrows(index + 1);
    session_.Sender().LoadGainDelayPrameter();
}

void MainWindow::OutputGain_Change(int index) {
    StoreGainLevelFromArrows(index + 3);
    store_.OutputLevel(index + 1) = OutputLevelRule(store_, index + 1);
    session_.Sender().LoadGainDelayPrameter();
}

void MainWindow::Delay_Change(int index) {
    state_.CurrentChannel = index + 1;
    StoreDelayFromArrows(index);
    session_.Sender().LoadGainDelayPrameter();
}

void MainWindow::Compressor_Change(int channel, int k) {
    state_.CurrentChannel = channel;
    const ArrowPair* arrows = CompressorArrow(channel, k);
    const int steps = arrows->maximum() - arrows->value();
    std::string text;
    switch (k) {
        case 0:
            text = NumberText(-arrows->value() * 0.5) + "dB";
            store_.CompThreshold(channel) = static_cast<int16_t>(steps);
            break;
        case 1:
            store_.CompAttack(channel) = static_cast<int16_t>(steps);
            text = NumberText(steps) + "mS";
            break;
        case 2:
            store_.CompRelease(channel) = static_cast<int16_t>(steps + 1);
            text = NumberText(steps + 1) + "dB/S";
            break;
        default:
            // The step above 1:20 is the limiter.
            if (steps + 1 > kHighestRatio) {
                store_.CompRatio(channel) = kLimiterRatio;
                text = "Limiter";
            } else {
                store_.CompRatio(channel) = static_cast<int16_t>(steps + 1);
                text = "1:" + NumberText(steps + 1);
            }
            break;
    }
    CompressorBox(channel, k)->setText(QString::fromStdString(text));
    session_.Sender().LoadLimiterPrameter(channel);
}

// Muting silences the output; unmuting restores 0 dB output gain.
void MainWindow::Mute_Click(int index) {
    const int channel = index + 1;
    const bool muted = control<QCheckBox>(MemberName("Check7", index))->isChecked();
    store_.MuteState(channel) = muted ? 1 : 0;
    store_.OutputLevel(channel) = muted ? 0 : kUnityGain;
    store_.GainLevel(channel + 2) = muted ? 0 : kUnityGain;
    session_.Sender().LoadGainDelayPrameter();
}

void MainWindow::Invert_Click(int channel) {
    state_.CurrentChannel = channel;
    const auto* box = control<QCheckBox>(ChannelControls(channel).invertBox);
    store_.InvertStatus(channel) = box->isChecked() ? 1 : 0;
    session_.Sender().LoadInvertStatus();
}

// Boxes 0 and 1 switch function 6 of channel 1 and 2, boxes 2 and 3 function 3.
void MainWindow::FunctionSwitch_Click(int index) {
    const int16_t value = control<QCheckBox>(MemberName("Check1", index))->isChecked() ? 1 : 0;
    const bool channelSwitch = index < 2;
    const int channel = channelSwitch ? index + 1 : index - 1;
    (channelSwitch ? store_.FuncByPass6 : store_.FuncByPass3)(channel) = value;
    state_.CurrentChannel = channel;
    session_.Sender().ByPassFunction(channelSwitch ? kFunctionChannelSwitch : kFunctionCompressorSwitch, channel);
}

}  // namespace sonavel
