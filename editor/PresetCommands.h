#pragma once
// Preset files: the list of one folder's ".bin" files with "Browse", "Load" of the selected
// file into the store, the controls and the unit, and "Save" of the store under a name typed
// in the preset panel. A file that cannot be read, a name that cannot be a file name and a
// write that fails are each reported in a message box; none of them changes the store.
#include "editor/ControlRefresh.h"
#include "editor/EditorContext.h"
#include "editor/PresetPanel.h"
#include "presets/PresetRecord.h"
#include "presets/Outcome.h"

namespace sonavel {

class PresetCommands {
public:
    PresetCommands(EditorContext& context, ControlRefresh& refresh, PresetPanel& panel, PresetRecord& presetRecord)
        : c_(context), refresh_(refresh), panel_(panel), presetRecord_(presetRecord) {}
    void Attach();

private:
    void Command7_Click();  // "Browse"
    void Command4_Click();  // "Load"
    void Command6_Click();  // "Save": opens the name panel
    void Command9_Click();  // "Enter": saves under the typed name
    Status LoadSelectedPreset();
    Status SavePreset(const std::string& name);

    EditorContext& c_;
    ControlRefresh& refresh_;
    PresetPanel& panel_;
    PresetRecord& presetRecord_;  // the preset last loaded or saved, unused bytes included
};

}  // namespace sonavel
