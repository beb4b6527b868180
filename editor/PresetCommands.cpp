#include "editor/PresetCommands.h"

#include "model/BulkChange.h"
#include "presets/PresetFile.h"
#include "presets/PresetPath.h"

namespace sonavel {
namespace {

constexpr int kPresetNumber = 1;  // the unit's working set
constexpr int kEnter = 13;

}  // namespace

void PresetCommands::Attach() {
    EditorControls& controls = c_.controls;
    controls.browse.OnEvent([this] { Command7_Click(); });
    controls.load.OnEvent([this] { Command4_Click(); });
    controls.save.OnEvent([this] { Command6_Click(); });
    controls.enter.OnEvent([this] { Command9_Click(); });
    controls.exit.OnEvent([this] { panel_.Close(); });
    // The Enter key in the name box works as the panel's "Enter" button.
    controls.presetName.OnKey([this](int code) {
        if (code == kEnter) Command9_Click();
    });
}

void PresetCommands::Command7_Click() {
    FileListValue& files = c_.controls.files;
    const std::string folder = c_.view.ChooseFolder("Selected...", files.folder());
    if (!folder.empty()) files.SetFolder(folder);
}

void PresetCommands::Command4_Click() {
    ButtonValue& button = c_.controls.load;
    button.SetEnabled(false);
    c_.view.ShowBusy(true);
    c_.state.PresetPanelMode = 1;
    if (const Status loaded = LoadSelectedPreset(); !loaded.ok())
        c_.view.ShowMessage(MessageIcon::None, "Open File", "Open File Error\n" + loaded.error());
    button.SetEnabled(true);
    c_.controls.channel(2).qArrows[4].SetEnabled(true);
    c_.session.ForgetPresence();
    c_.view.ShowBusy(false);
}

// Record 1 of the selected file into the store, the controls and the unit's working set;
// a record that fails the load check changes nothing.
Status PresetCommands::LoadSelectedPreset() {
    const FileListValue& files = c_.controls.files;
    if (files.selected().empty()) return Status::Failure("No preset file is selected.");
    const Outcome<std::string> path = PresetPath(files.folder(), files.selected());
    if (!path.ok()) return path.status();
    const Outcome<PresetRecord> record = ReadPresetRecord(path.value());
    if (!record.ok()) return record.status();
    if (const Status accepted = RecordToStore(record.value(), c_.store); !accepted.ok())
        return Status::Failure(path.value() + ": " + accepted.error());
    presetRecord_ = record.value();
    BringStoreInLine(c_.store);
    refresh_.ShowStore();
    c_.session.Sender().LoadPresetNum(kPresetNumber);
    return Status::Success();
}

// Opens the name panel; "Enter" saves, "Exit" closes it without saving.
void PresetCommands::Command6_Click() {
    c_.session.ForgetPresence();
    panel_.OpenNamePanel();
    c_.state.PresetPanelMode = 2;
}

// Saves the store under the typed name (a second save to the same name adds a record to
// the file), then closes the panel whether or not the preset was saved.
void PresetCommands::Command9_Click() {
    if (c_.state.PresetPanelMode != 2) return;  // the panel has no other use for "Enter"
    const std::string name = c_.controls.presetName.text();
    if (const Status usable = CheckPresetName(name); !usable.ok())
        c_.view.ShowMessage(MessageIcon::Stop, "File Nanme", "FileName Error\n" + usable.error());
    else if (const Status saved = SavePreset(name); !saved.ok())
        c_.view.ShowMessage(MessageIcon::Warning, "Save File", "Save File Error\n" + saved.error());
    panel_.Close();
}

// A new file is listed, and the selection kept for the next "Load".
Status PresetCommands::SavePreset(const std::string& name) {
    FileListValue& files = c_.controls.files;
    const Outcome<std::string> path = SavePathForName(files.folder(), name);
    if (!path.ok()) return path.status();
    presetRecord_.SetPresetName(name);
    StoreToRecord(c_.store, presetRecord_);
    const Status written = AppendPresetRecord(path.value(), presetRecord_);
    files.Refresh();
    return written;
}

}  // namespace sonavel
