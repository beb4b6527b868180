// The link strip: Connect/DisConnect, port and address choice, the two timers that drive the
// line and deferred work, and the lamps the line reports to.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>

#include "editor/Controls.h"
#include "editor/MainWindow.h"

namespace sonavel {
namespace {

const QColor kLinkOnColour(128, 255, 128);
const QColor kLinkOffColour(255, 0, 0);
const QColor kPortLampOk(0, 255, 0);
const QColor kOnlineLampOn(128, 255, 128);
const QColor kOnlineLampOff(64, 64, 64);
constexpr int kRedrawTickWrap = 30;
constexpr int kRefreshTicks = 20;

QColor ButtonTextColour() { return QApplication::palette().color(QPalette::ButtonText); }

QString PortName(int number) { return QString("COM%1").arg(number); }

}  // namespace

void MainWindow::ShowLinkOn() {
    auto* button = control<QPushButton>("Command12");
    SetBackColor(button, kLinkOnColour);
    button->setText("Connect");
    button->setToolTip("click here to disconnect the loudspeaker");
    for (const char* name : {"Command2", "Command1_0", "Combo8", "Combo9"}) control(name)->setEnabled(true);
    control("Command8")->setEnabled(!session_.ReadRunning());  // one read at a time
}

void MainWindow::ShowLinkOff() {
    auto* button = control<QPushButton>("Command12");
    SetBackColor(button, kLinkOffColour);
    button->setText("DisConnect");
    button->setToolTip("click here to connect the loudspeaker");
    control("Command8")->setEnabled(false);
}

// The caption names the state the link is in; the tooltip names what the next click does.
void MainWindow::Command12_Click() {
    if (link().Connected == 1) {
        session_.SwitchOff();
        ShowLinkOff();
        return;
    }
    if (const PortStatus status = session_.SwitchOn(); !status.ok) {
        // The link stays off and the window stays usable; the user picks another port.
        QString text = PortName(port_.CommPort()) + " could not be opened";
        if (!status.error.empty()) text += ":\n" + QString::fromStdString(status.error);
        ShowMessage("Connect", text);
        return;
    }
    ShowLinkOn();
}

void MainWindow::Combo5_Click() {
    const int position = control<ListBox>("Combo5")->listIndex();
    if (position < 0) return;
    const bool opened = session_.ChoosePort(position + 1).ok;
    SetBackColor(control("Label30"), opened ? kPortLampOk : ButtonTextColour());
}

// A new address reads that unit's settings, unless a read is running already.
void MainWindow::Combo7_Click() {
    const int position = control<ListBox>("Combo7")->listIndex();
    if (position < 0) return;
    session_.ChooseAddress(position + 1);
    session_.Update();
    session_.ForgetPresence();
}

void MainWindow::Command8_Click() { session_.Update(); }

void MainWindow::Command10_Click() {
    for (const char* name : {"Frame9", "Command9", "Command10", "Command11", "Combo4", "Label20", "Text5"})
        control(name)->hide();
    control<QLabel>("Label20")->clear();
}

// Every 20 ms: the deferred redraw, the deferred first refresh, then the presence schedule.
void MainWindow::Timer1_Timer() {
    if (++state_.RedrawTicks > kRedrawTickWrap) state_.RedrawTicks = 0;
    if (state_.RedrawPending && state_.RedrawTicks >= 2) {
        DoEQFFTDraw(state_.CurrentChannel, state_.CurrentBand);
        state_.RedrawPending = false;
    }

    if (++state_.RefreshTicks > kRefreshTicks) {
        state_.RefreshTicks = 0;
        if (state_.RefreshRequest != 0) UpDateEQDis();
        state_.RefreshRequest = 0;
    }

    session_.Tick();
}

void MainWindow::Timer2_Timer() { session_.TickWaits(); }

void MainWindow::ShowPresenceLamp(bool lit) {
    SetBackColor(control("Label8"), lit ? kOnlineLampOn : kOnlineLampOff);
}

// The line went away under an open port: the link is off and the user is told why.
void MainWindow::ShowLineLost(const std::string& reason) {
    ShowLinkOff();
    SetBackColor(control("Label30"), ButtonTextColour());
    SetBackColor(control("Label8"), kOnlineLampOff);
    ShowMessage("Connect", QString::fromStdString(reason) + "\nThe link is switched off.");
}

}  // namespace sonavel
