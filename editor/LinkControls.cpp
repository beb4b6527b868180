// The link strip: Connect/DisConnect, port and address choice, the two timers and the
// presence check that lights the on-line lamp.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "link/Messages.h"

namespace sonavel {
namespace {

const QColor kLinkOnColour(128, 255, 128);
const QColor kLinkOffColour(255, 0, 0);
const QColor kPortLampOk(0, 255, 0);
const QColor kOnlineLampOn(128, 255, 128);
const QColor kOnlineLampOff(64, 64, 64);
constexpr int kRedrawTickWrap = 30;
constexpr int kRefreshTicks = 20;
constexpr int kOnlineCheckInterval = 20;
constexpr int kMissesPerVerdict = 3;
constexpr int kUnansweredMessages = 3;

QColor ButtonTextColour() { return QApplication::palette().color(QPalette::ButtonText); }

QString PortName(int number) { return QString("COM%1").arg(number); }

}  // namespace

void MainWindow::ShowLinkOn() {
    auto* button = control<QPushButton>("Command12");
    SetBackColor(button, kLinkOnColour);
    button->setText("Connect");
    button->setToolTip("click here to disconnect the loudspeaker");
    for (const char* name : {"Command8", "Command2", "Command1_0", "Combo8", "Combo9"})
        control(name)->setEnabled(true);
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
    if (link_.Connected != 1) {
        if (!port_.PortOpen()) {
            const PortStatus status = port_.SetPortOpen(true);
            if (!status.ok) {
                // The link stays off and the window stays usable; the user picks another port.
                QString text = PortName(port_.CommPort()) + " could not be opened";
                if (!status.error.empty()) text += ":\n" + QString::fromStdString(status.error);
                ShowMessage("Connect", text);
                return;
            }
        }
        link_.Connected = 1;
        ShowLinkOn();
        link_.Online = 1;
    } else {
        link_.Connected = 0;
        ShowLinkOff();
        link_.Online = 0;
        if (port_.PortOpen()) port_.SetPortOpen(false);
    }
}

// Opens the chosen port once to test it (open, close, open) and keeps it open only while
// the link is on.
void MainWindow::Combo5_Click() {
    const int position = control<ListBox>("Combo5")->listIndex();
    if (position < 0) return;
    auto* lamp = control("Label30");
    if (port_.PortOpen()) port_.SetPortOpen(false);
    port_.SetCommPort(position + 1);
    bool opened = port_.SetPortOpen(true).ok;
    if (opened) {
        port_.SetPortOpen(false);
        opened = port_.SetPortOpen(true).ok;
    }
    link_.Online = 0;
    if (!opened) {
        SetBackColor(lamp, ButtonTextColour());
        return;
    }
    SetBackColor(lamp, kPortLampOk);
    if (link_.Connected != 1) port_.SetPortOpen(false);
}

void MainWindow::Combo7_Click() {
    const int position = control<ListBox>("Combo7")->listIndex();
    if (position < 0) return;
    link_.AddressIndex = position + 1;
    link_.DeviceAddress = link_.AddressIndex;
    link_.Online = 0;
    ReadSettingsFromUnit();
    link_.Online = 0;
}

void MainWindow::Command8_Click() { ReadSettingsFromUnit(); }

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

    ++link_.IdleTicks;
    if (link_.IdleTicks > link_.OnlineInterval && link_.Sending == 0) {
        link_.Sending = 1;
        link_.IdleTicks = 0;
        OnLineCheck();
    }
}

void MainWindow::Timer2_Timer() { Timer2Tick(link_); }

// While the unit is not known to be on line, polls it and every third check judges whether
// a reply came; while it is, drops back to polling once three messages went unanswered.
void MainWindow::OnLineCheck() {
    link_.Sending = 1;
    link_.IdleTicks = 0;
    const int address = link_.DeviceAddress;
    if (link_.Online == 0) {
        link_.MissCount(address) = static_cast<int16_t>(link_.MissCount(address) + 1);
        if (link_.MissCount(address) >= kMissesPerVerdict) {
            link_.MissCount(address) = 0;
            link_.Online = link_.OnlineTable(address) != 0 ? 1 : 0;
            link_.OnlineTable(address) = 0;
        }
        if (link_.Online == 0 && SendGateOpen(port_, link_)) port_.Output(PresenceQuery(address));
    }
    if (link_.SendCount >= kUnansweredMessages) link_.Online = 0;
    const bool lit = link_.Online == 1 && link_.Connected == 1;
    SetBackColor(control("Label8"), lit ? kOnlineLampOn : kOnlineLampOff);
    link_.Sending = 0;
    link_.OnlineInterval = kOnlineCheckInterval;
}

// The line went away under an open port: the link goes off and the user is told why.
void MainWindow::OnPortLost(const std::string& reason) {
    link_.Connected = 0;
    link_.Online = 0;
    ShowLinkOff();
    SetBackColor(control("Label30"), ButtonTextColour());
    SetBackColor(control("Label8"), kOnlineLampOff);
    ShowMessage("Connect", QString::fromStdString(reason) + "\nThe link is switched off.");
}

}  // namespace sonavel
