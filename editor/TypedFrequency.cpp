// Typing a frequency into a band's frequency box: a click empties the box and marks it
// orange; Enter reads the number the text starts with and applies it like the arrow pair.
#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "model/NumberReader.h"
#include "model/ValueScales.h"

namespace sonavel {
namespace {

const QColor kTypingColour(255, 192, 128);
const QColor kBoxColour(255, 255, 255);
constexpr int kEnter = 13;

}  // namespace

void MainWindow::FrequencyBox_Click(int channel, int index) {
    TextBox* box = FrequencyBox(channel, index);
    SetBackColor(box, kTypingColour);
    box->clear();
}

void MainWindow::FrequencyBox_KeyPress(int channel, int index, int characterCode) {
    const int band = index + 1;
    state_.CurrentChannel = channel;
    state_.CurrentBand = band;
    if (characterCode != kEnter) return;

    TextBox* box = FrequencyBox(channel, index);
    const std::optional<int16_t> typed = RoundToInt16(ReadLeadingNumber(box->text().toStdString()));
    if (!typed) {
        // Not a 16-bit number: show the band's frequency again and stay in typing colour.
        ShowFrequencyText(channel, band);
        return;
    }
    int frequency = *typed;
    if (frequency < kFrequencyArrowMin || frequency > kFrequencyArrowMax)
        frequency = store_.EqFrequency(channel, band);
    if (!state_.EditEnabled) return;

    ArrowPair* arrows = FrequencyArrow(channel, index);
    arrows->setValue(ArrowFromFrequency(arrows->maximum(), frequency));  // a change runs its handler
    store_.EqFreqPosition(channel, band) = static_cast<int16_t>(GetFregPosition(frequency));
    store_.EqFrequency(channel, band) = static_cast<int16_t>(frequency);
    DoEQFFTDraw(channel, band);
    ShowFrequencyText(channel, band);
    SetBackColor(box, kBoxColour);
}

}  // namespace sonavel
