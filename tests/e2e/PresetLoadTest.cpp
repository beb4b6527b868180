// "Load" of a preset file puts the file's settings into the store, the controls and the unit.
// The file is written by the preset library, whose layout has its own tests.
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "UnitSettings.h"
#include "editor/Controls.h"
#include "presets/PresetFile.h"

namespace e2e {
namespace {

TEST(EditorWithSimulator, LoadOfAPresetFilePutsTheWholeSettingsIntoTheUnit) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const sonavel::ParameterStore settings = UnitSettings(2);
    sonavel::PresetRecord record;
    record.SetPresetName("Hall");
    sonavel::StoreToRecord(settings, record);
    ASSERT_TRUE(sonavel::CreatePresetFile(folder.filePath("hall.bin").toStdString(), {record}).ok());

    SimulatorRun simulator;
    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    sonavel::FileListValue& files = editor.window().editor().controls().files;
    files.SetFolder(folder.path().toStdString());
    ASSERT_EQ(files.names(), std::vector<std::string>{"hall.bin"});
    editor.widgets().files->setCurrentRow(0);

    const size_t before = simulator.Frames().size();
    editor.Click("Command4");
    EXPECT_TRUE(editor.messages().isEmpty()) << editor.messages().join("\n").toStdString();
    EXPECT_TRUE(editor.WaitFor([&] { return simulator.Frames().size() > before; }, 2000));
    editor.Pause(200);
    EXPECT_EQ(simulator.BytesOf(10, before).size(), 1u);
    EXPECT_EQ(CarriedFields(simulator.State().at(1)), CarriedFields(settings));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(settings));
}

}  // namespace
}  // namespace e2e
