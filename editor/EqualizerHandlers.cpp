// The equalizer band controls (frequency, gain and Q arrow pairs, type lists, "OFF" boxes)
// and the crossover lists. Equalizer changes act only while EditEnabled; while the window
// sets its own controls they just rewrite their text.
#include <QCheckBox>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "model/ScaleTables.h"
#include "model/ValueScales.h"

namespace sonavel {

// A band's boxes show the stored frequency, gain and Q.
void MainWindow::ShowFrequencyText(int channel, int band) {
    FrequencyBox(channel, band - 1)->setText(QString::fromStdString(ReturnHz(store_.EqFrequency(channel, band))));
}

void MainWindow::ShowGainText(int channel, int band) {
    GainBox(channel, band - 1)->setText(QString::fromStdString(NumberText(store_.EqGainDb(channel, band)) + "dB"));
}

void MainWindow::ShowQText(int channel, int band) {
    QBox(channel, band - 1)->setText(QString::fromStdString(NumberText(store_.EqQValue(channel, band))));
}

void MainWindow::FrequencyArrow_Change(int channel, int index) {
    const int band = index + 1;
    state_.CurrentChannel = channel;
    state_.CurrentBand = band;
    if (state_.EditEnabled) {
        const ArrowPair* arrows = FrequencyArrow(channel, index);
        const int frequency = FrequencyFromArrow(arrows->maximum(), arrows->value());
        store_.EqFreqPosition(channel, band) = static_cast<int16_t>(GetFregPosition(frequency));
        store_.EqFrequency(channel, band) = static_cast<int16_t>(frequency);
        DoEQFFTDraw(channel, band);
    }
    ShowFrequencyText(channel, band);
}

void MainWindow::GainArrow_Change(int channel, int index) {
    const int band = index + 1;
    state_.CurrentChannel = channel;
    state_.CurrentBand = band;
    if (state_.EditEnabled) {
        const int value = GainArrow(channel, index)->value();
        store_.EqGainDb(channel, band) = GainDbFromPosition(value);
        store_.EqGain(channel, band) = static_cast<int16_t>(value);
        DoEQFFTDraw(channel, band);
    }
    ShowGainText(channel, band);
}

void MainWindow::QArrow_Change(int channel, int index) {
    const int band = index + 1;
    state_.CurrentChannel = channel;
    state_.CurrentBand = band;
    if (state_.EditEnabled) {
        const ArrowPair* arrows = QArrow(channel, index);
        const int position = QPositionFromArrow(arrows->maximum(), arrows->value());
        store_.EqQValue(channel, band) = QfactorData[position];
        store_.EqQFactor(channel, band) = static_cast<int16_t>(position);
        DoEQFFTDraw(channel, band);
    }
    ShowQText(channel, band);
}

// Shelves take no Q: their Q arrows are disabled, while the stored Q still travels.
void MainWindow::TypeList_Click(int channel, int index) {
    const int band = index + 1;
    state_.CurrentChannel = channel;
    state_.CurrentBand = band;
    if (!state_.EditEnabled) return;
    const int position = TypeList(channel, index)->listIndex();
    const int16_t type = EqTypeForListPosition(position);
    if (type >= 0) {
        store_.EqType(channel, band) = type;
        QArrow(channel, index)->setEnabled(position == 0);
    }
    DoEQFFTDraw(channel, band);
}

void MainWindow::OffBox_Click(int channel, int index) {
    const int band = index + 1;
    state_.CurrentChannel = channel;
    state_.CurrentBand = band;
    store_.EqByPass(channel, band) = OffBox(channel, index)->isChecked() ? 1 : 0;
    DoEQFFTDraw(channel, band);
}

// Writes the store whatever EditEnabled is, so that the refresh, which selects the list
// positions from the store, also brings the crossover bands' filter codes in line.
void MainWindow::CrossoverList_Click(int channel, int index) {
    const int band = index == 0 ? kLowPassBand : kHighPassBand;
    state_.CurrentChannel = channel;
    state_.CurrentBand = band;
    const int position = CrossoverList(channel, index)->listIndex();
    if (position < 0) return;  // no selection: nothing to store or send
    SetCrossoverListPosition(store_, channel, band, position);
    DoEQFFTDraw(channel, band);
}

}  // namespace sonavel
