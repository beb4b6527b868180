#include "editor/LinkStrip.h"

namespace sonavel {
namespace {

std::string PortName(int number) { return "COM" + std::to_string(number); }

}  // namespace

void LinkStrip::Attach() {
    EditorControls& controls = c_.controls;
    controls.connect.OnEvent([this] { Command12_Click(); });
    controls.ports.OnEvent([this] { Combo5_Click(); });
    controls.addresses.OnEvent([this] { Combo7_Click(); });
    controls.update.OnEvent([this] { c_.session.Update(); });
    controls.recall.OnEvent([this] { Command2_Click(); });
    controls.loadToDsp.OnEvent([this] { Command1_Click(); });
    c_.session.SetView(this);
}

// The button's look names the state the link is in.
void LinkStrip::ShowLinkOn() {
    EditorControls& controls = c_.controls;
    controls.connect.SetLit(true);
    for (FormControl* control : std::initializer_list<FormControl*>{&controls.recall, &controls.loadToDsp,
                                                                     &controls.loadSlots, &controls.recallSlots})
        control->SetEnabled(true);
    controls.update.SetEnabled(!c_.session.ReadRunning());  // one read at a time
}

void LinkStrip::ShowLinkOff() {
    c_.controls.connect.SetLit(false);
    c_.controls.update.SetEnabled(false);
}

void LinkStrip::Command12_Click() {
    if (c_.session.State().Connected == 1) {
        c_.session.SwitchOff();
        ShowLinkOff();
        return;
    }
    if (const PortStatus status = c_.session.SwitchOn(); !status.ok) {
        // The link stays off and the window stays usable; the user picks another port.
        std::string text = PortName(c_.port.CommPort()) + " could not be opened";
        if (!status.error.empty()) text += ":\n" + status.error;
        c_.view.ShowMessage(MessageIcon::Warning, "Connect", text);
        return;
    }
    ShowLinkOn();
}

void LinkStrip::Combo5_Click() {
    const int position = c_.controls.ports.position();
    if (position < 0) return;
    c_.controls.portLamp.SetLit(c_.session.ChoosePort(position + 1).ok);
}

// A new address reads that unit's settings, unless a read is running already.
void LinkStrip::Combo7_Click() {
    const int position = c_.controls.addresses.position();
    if (position < 0) return;
    c_.session.ChooseAddress(position + 1);
    c_.session.Update();
    c_.session.ForgetPresence();
}

void LinkStrip::Command2_Click() {
    const int slot = c_.controls.recallSlots.position() + 1;
    if (slot < 1) return;  // no slot chosen
    c_.session.RecallFromDsp(slot);
}

// The preset record carries the name box's text and the store, as a saved preset would.
void LinkStrip::Command1_Click() {
    const int slot = c_.controls.loadSlots.position() + 1;
    if (slot < 1) return;  // no slot chosen
    c_.controls.loadToDsp.SetEnabled(false);
    presetRecord_.SetPresetName(c_.controls.presetName.text());
    StoreToRecord(c_.store, presetRecord_);
    c_.session.LoadToDsp(slot);
    c_.controls.loadToDsp.SetEnabled(true);
}

void LinkStrip::ShowPresenceLamp(bool lit) { c_.controls.onlineLamp.SetLit(lit); }

// The line went away under an open port: the link is off and the user is told why.
void LinkStrip::ShowLineLost(const std::string& reason) {
    ShowLinkOff();
    c_.controls.portLamp.SetLit(false);
    c_.controls.onlineLamp.SetLit(false);
    c_.view.ShowMessage(MessageIcon::Warning, "Connect", reason + "\nThe link is switched off.");
}

// While a read runs neither "Update" nor "Recall From DSP" can start another.
void LinkStrip::ReadStarted(bool slotRecall) {
    c_.controls.update.SetEnabled(false);
    if (slotRecall) c_.controls.recall.SetEnabled(false);
}

void LinkStrip::ReadEnded(bool slotRecall) {
    c_.controls.update.SetEnabled(c_.session.State().Connected == 1);
    if (slotRecall) c_.controls.recall.SetEnabled(true);
}

// Unticking a ticked mute box unmutes its channel and sends the gains.
void LinkStrip::UncheckMuteBoxes() {
    for (int c = 1; c <= kChannelCount; ++c) c_.controls.channel(c).mute.SetChecked(false);
}

}  // namespace sonavel
