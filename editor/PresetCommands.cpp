// Preset files: the list of one folder's ".bin" files with "Browse", "Load" of the selected
// file into the store, the controls and the unit, and "Save" of the store under a name
// typed in the preset panel. A file that cannot be read, a name that cannot be a file name
// and a write that fails are each reported in a message box; none of them changes the store.
#include <QFile>
#include <QLabel>

#include "editor/Controls.h"
#include "editor/MainWindow.h"
#include "model/BulkChange.h"
#include "presets/PresetFile.h"
#include "presets/PresetPath.h"

namespace sonavel {
namespace {

constexpr int kPresetNumber = 1;  // the unit's working set

// File names as the file system takes them, and back for the user.
std::string FileSystemName(const QString& text) { return QFile::encodeName(text).toStdString(); }
QString UserText(const std::string& text) { return QFile::decodeName(QByteArray::fromStdString(text)); }

}  // namespace

void MainWindow::Command7_Click() {
    auto* files = control<FileListBox>("File1");
    const QString folder = folderChooser_("Selected...", files->path());
    if (!folder.isEmpty()) files->setPath(folder);
}

void MainWindow::Command4_Click() {
    auto* button = control("Command4");
    button->setEnabled(false);
    setCursor(Qt::BusyCursor);
    state_.PresetPanelMode = 1;
    if (const Status loaded = LoadSelectedPreset(); !loaded.ok())
        ShowMessage("Open File", "Open File Error\n" + UserText(loaded.error()), MessageIcon::None);
    button->setEnabled(true);
    QArrow(2, 4)->setEnabled(true);
    session_.ForgetPresence();
    unsetCursor();
}

// Record 1 of the selected file into the store, the controls and the unit's working set;
// a record that fails the load check changes nothing.
Status MainWindow::LoadSelectedPreset() {
    const auto* files = control<FileListBox>("File1");
    if (files->fileSystemName().empty()) return Status::Failure("No preset file is selected.");
    const Outcome<std::string> path = PresetPath(FileSystemName(files->path()), files->fileSystemName());
    if (!path.ok()) return path.status();
    const Outcome<PresetRecord> record = ReadPresetRecord(path.value());
    if (!record.ok()) return record.status();
    if (const Status accepted = RecordToStore(record.value(), store_); !accepted.ok())
        return Status::Failure(path.value() + ": " + accepted.error());
    presetRecord_ = record.value();
    BringStoreInLine(store_);
    UpDateDraw();
    UpDateEQDis();
    session_.Sender().LoadPresetNum(kPresetNumber);
    return Status::Success();
}

// Opens the name panel; "Enter" saves, "Exit" closes it without saving.
void MainWindow::Command6_Click() {
    session_.ForgetPresence();
    auto* panel = control<FrameBox>("Frame9");
    panel->setCaption("Save Preset");
    panel->show();
    control("Command9")->show();
    control("Command10")->show();
    control("Command11")->hide();
    control("Combo4")->hide();
    auto* title = control<QLabel>("Label20");
    title->setText("Enter Preset Name");
    title->show();
    auto* name = control<TextBox>("Text5");
    name->clear();
    name->show();
    name->setFocus();
    state_.PresetPanelMode = 2;
}

// Saves the store under the typed name (a second save to the same name adds a record to
// the file), then closes the panel whether or not the preset was saved.
void MainWindow::Command9_Click() {
    if (state_.PresetPanelMode != 2) return;  // the panel has no other use for "Enter"
    const QString name = control<TextBox>("Text5")->text();
    if (const Status usable = CheckPresetName(FileSystemName(name)); !usable.ok())
        ShowMessage("File Nanme", "FileName Error\n" + UserText(usable.error()), MessageIcon::Stop);
    else if (const Status saved = SavePreset(name); !saved.ok())
        ShowMessage("Save File", "Save File Error\n" + UserText(saved.error()));
    Command10_Click();
}

Status MainWindow::SavePreset(const QString& name) {
    auto* files = control<FileListBox>("File1");
    const Outcome<std::string> path = SavePathForName(FileSystemName(files->path()), FileSystemName(name));
    if (!path.ok()) return path.status();
    presetRecord_.SetPresetName(name.toStdString());
    StoreToRecord(store_, presetRecord_);
    const Status written = AppendPresetRecord(path.value(), presetRecord_);
    // List a new file, keeping the selection for the next "Load".
    const std::string selected = files->fileSystemName();
    files->refresh();
    if (!selected.empty()) files->selectFile(selected);
    return written;
}

}  // namespace sonavel
