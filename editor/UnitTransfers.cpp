// Whole settings between the window and the addressed unit: "Update" and "Recall From DSP"
// read them into the store and show them, "Load to DSP" writes the store into a preset
// slot. The reads show their progress in the preset panel and wait for the unit's reply
// while the window goes on processing its events.
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "editor/WindowLayout.h"

namespace sonavel {

// Waits for the next event without spinning: Timer2 ticks every 20 ms, so every wait ends
// after a tick at the latest, and the serial port's arrivals are delivered meanwhile.
void MainWindow::PumpEvents() {
    if (eventPump_) {
        eventPump_();
        return;
    }
    if (!timer2_.isActive()) timer2_.start();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// While a read runs neither "Update" nor "Recall From DSP" can start another.
void MainWindow::ReadStarted(bool slotRecall) {
    control("Command8")->setEnabled(false);
    if (slotRecall) control("Command2")->setEnabled(false);
}

void MainWindow::ReadEnded(bool slotRecall) {
    control("Command8")->setEnabled(link().Connected == 1);
    if (slotRecall) control("Command2")->setEnabled(true);
}

// The preset panel as a status display: its title line and "Exit" only.
void MainWindow::OpenStatusPanel() {
    auto* panel = control<FrameBox>("Frame9");
    panel->setCaption("Recall");
    panel->show();
    for (const char* name : {"Command9", "Command11", "Combo4", "Text5"}) control(name)->hide();
    control("Command10")->show();
    control("Label20")->show();
}

void MainWindow::ShowStatus(const std::string& text) {
    control<QLabel>("Label20")->setText(QString::fromStdString(text));
}

void MainWindow::ClosePanel() { Command10_Click(); }

void MainWindow::ApplyToControls() {
    UpDateDraw();
    UpDateEQDis();
}

// Unticking a ticked mute box unmutes its channel and sends the gains.
void MainWindow::UncheckMuteBoxes() {
    for (int i = 0; i < kChannelCount; ++i) control<QCheckBox>(MemberName("Check7", i))->setChecked(false);
}

void MainWindow::Command2_Click() {
    const int slot = control<ListBox>("Combo9")->listIndex() + 1;
    if (slot < 1) return;  // no slot chosen
    session_.RecallFromDsp(slot);
}

// The preset record carries the name box's text and the store, as a saved preset would.
void MainWindow::Command1_Click() {
    const int slot = control<ListBox>("Combo8")->listIndex() + 1;
    if (slot < 1) return;  // no slot chosen
    auto* button = control("Command1_0");
    button->setEnabled(false);
    presetRecord_.SetPresetName(control<TextBox>("Text5")->text().toStdString());
    StoreToRecord(store_, presetRecord_);
    session_.LoadToDsp(slot);
    button->setEnabled(true);
}

}  // namespace sonavel
