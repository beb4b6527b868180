#pragma once
// The equalizer band controls (frequency, gain and Q arrow pairs, type lists, "OFF" boxes),
// the crossover lists and typing a frequency into a band's box. Equalizer changes act only
// while EditEnabled; while the window sets its own controls they just rewrite their text.
#include "editor/EditorContext.h"

namespace sonavel {

class EqualizerHandlers {
public:
    explicit EqualizerHandlers(EditorContext& context) : c_(context) {}
    // Attaches the handlers to the controls of both channels.
    void Attach();

    // A band's boxes show the stored frequency, gain and Q.
    void ShowFrequencyText(int channel, int band);
    void ShowGainText(int channel, int band);
    void ShowQText(int channel, int band);

private:
    void Operated(int channel, int band);
    void FrequencyArrow_Change(int channel, int band);
    void GainArrow_Change(int channel, int band);
    void QArrow_Change(int channel, int band);
    void TypeList_Click(int channel, int band);
    void OffBox_Click(int channel, int band);
    void CrossoverList_Click(int channel, int slot);
    void FrequencyBox_Click(int channel, int band);
    void FrequencyBox_KeyPress(int channel, int band, int characterCode);

    EditorContext& c_;
};

}  // namespace sonavel
