#pragma once
// Gain, output gain, delay, compressor, mute, invert and the function switches. These act
// the same whether the user or a refresh changed them; during a refresh the senders hold
// their messages back.
#include "editor/EditorContext.h"

namespace sonavel {

class LevelHandlers {
public:
    explicit LevelHandlers(EditorContext& context) : c_(context) {}
    void Attach();

    // GainLevel(number) takes its arrow pair's value, which its box shows: numbers 1, 2 are
    // the input gains, 3, 4 the output gains of channel 1, 2.
    void StoreGainLevelFromArrows(int number);
    // The channel's delay takes its arrow pair's value, which its box shows.
    void StoreDelayFromArrows(int channel);

private:
    void InputGain_Change(int channel);
    void OutputGain_Change(int channel);
    void Delay_Change(int channel);
    void Compressor_Change(int channel, int kind);
    void Mute_Click(int channel);
    void Invert_Click(int channel);
    void FunctionSwitch_Click(int index);

    EditorContext& c_;
};

}  // namespace sonavel
