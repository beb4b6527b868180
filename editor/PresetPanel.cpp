#include "editor/PresetPanel.h"

namespace sonavel {

void PresetPanel::OpenNamePanel() {
    c_.presetPanel.SetText("Save Preset");
    c_.presetPanel.SetVisible(true);
    c_.enter.SetVisible(true);
    c_.exit.SetVisible(true);
    c_.remove.SetVisible(false);
    c_.presetList.SetVisible(false);
    c_.presetTitle.SetText("Enter Preset Name");
    c_.presetTitle.SetVisible(true);
    c_.presetName.SetText("");
    c_.presetName.SetVisible(true);
}

void PresetPanel::OpenStatusPanel() {
    c_.presetPanel.SetText("Recall");
    c_.presetPanel.SetVisible(true);
    c_.enter.SetVisible(false);
    c_.remove.SetVisible(false);
    c_.presetList.SetVisible(false);
    c_.presetName.SetVisible(false);
    c_.exit.SetVisible(true);
    c_.presetTitle.SetVisible(true);
}

void PresetPanel::Close() {
    for (FormControl* part : std::initializer_list<FormControl*>{&c_.presetPanel, &c_.enter, &c_.exit, &c_.remove,
                                                                  &c_.presetList, &c_.presetTitle, &c_.presetName})
        part->SetVisible(false);
    c_.presetTitle.SetText("");
}

}  // namespace sonavel
