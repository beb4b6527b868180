#pragma once
// The link strip: Connect/DisConnect, port and address choice, "Update", the whole settings
// to and from the unit's preset slots ("Recall From DSP", "Load to DSP"), and what the line
// reports: the lamps, the read's status panel and the settings read.
#include "editor/ControlRefresh.h"
#include "editor/EditorContext.h"
#include "editor/PresetPanel.h"
#include "presets/PresetRecord.h"

namespace sonavel {

class LinkStrip : private LinkView {
public:
    LinkStrip(EditorContext& context, ControlRefresh& refresh, PresetPanel& panel, PresetRecord& presetRecord)
        : c_(context), refresh_(refresh), panel_(panel), presetRecord_(presetRecord) {}
    // Attaches the handlers and becomes the line's view.
    void Attach();
    // The link strip as the link is off.
    void ShowLinkOff();

private:
    void ShowLinkOn();
    void Command12_Click();  // Connect / DisConnect
    void Combo5_Click();     // port chosen
    void Combo7_Click();     // device address chosen
    void Command2_Click();   // "Recall From DSP"
    void Command1_Click();   // "Load to DSP"

    void ShowPresenceLamp(bool lit) override;
    void ShowLineLost(const std::string& reason) override;
    void ReadStarted(bool slotRecall) override;
    void ReadEnded(bool slotRecall) override;
    void OpenStatusPanel() override { panel_.OpenStatusPanel(); }
    void ShowStatus(const std::string& text) override { panel_.ShowTitle(text); }
    void ClosePanel() override { panel_.Close(); }
    void ApplyToControls() override { refresh_.ShowStore(); }
    void UncheckMuteBoxes() override;

    EditorContext& c_;
    ControlRefresh& refresh_;
    PresetPanel& panel_;
    PresetRecord& presetRecord_;
};

}  // namespace sonavel
