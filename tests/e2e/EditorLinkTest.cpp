// The editor against simulated units: Connect, an arrow click as the unit receives it, "Update"
// and the address choice reading three units on one line apart, and "Load" of a preset file.
#include <QListWidget>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "presets/PresetFile.h"

namespace e2e {
namespace {

TEST(EditorWithSimulator, ConnectLightsTheLampAndEditsAndReadsTellThreeUnitsOnOneLineApart) {
    SimulatorRun simulator({"--units", "1,5,7"});
    int variant = 0;
    for (int address : {1, 5, 7}) simulator.Seed(address, UnitSettings(++variant));
    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    EXPECT_TRUE(editor.LampTurns(kLampOn));

    // The upper arrow of channel 1's band-3 gain pair at its start-up value: 0.5 dB more,
    // gain step 24 -> 23, sent to unit 1 alone as band messages.
    const size_t before = simulator.Frames().size();
    editor.ClickUpperArrow(editor.channel(1).gainArrows[2]);
    editor.Pause(kEditSettleMs);
    for (const LoggedFrame& frame : simulator.Frames(before))
        EXPECT_TRUE(frame.command == 4 || frame.command == 11) << frame.bytes.toStdString();
    const UnitStates units = simulator.State();
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units.at(1).EqGain(1, 3), 23);

    const size_t edits = simulator.Frames().size();
    for (int address : {1, 5, 7}) {
        SCOPED_TRACE(testing::Message() << "address " << address);
        EXPECT_EQ(address == 1 ? editor.Update() : editor.ChooseAddress(address), GoodRead(address));
        EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(units.at(address)));
    }
    // Reading sends only presence queries and settings requests: the refreshes that put the
    // settings into the controls keep their messages back.
    for (const LoggedFrame& frame : simulator.Frames(edits))
        EXPECT_TRUE(frame.command == 11 || frame.command == 12) << frame.bytes.toStdString();

    // An edit now reaches unit 7 only, which then holds the editor's settings, the band's
    // frequency, Q and type included.
    const int gain = editor.store().EqGain(2, 1);
    ASSERT_GT(gain, 0);
    editor.ClickUpperArrow(editor.channel(2).gainArrows[0]);
    editor.Pause(kEditSettleMs);
    const UnitStates after = simulator.State();
    EXPECT_EQ(editor.store().EqGain(2, 1), gain - 1);
    EXPECT_EQ(CarriedFields(after.at(7)), CarriedFields(editor.store()));
    EXPECT_EQ(after.at(1), units.at(1));
    EXPECT_EQ(after.at(5), units.at(5));
}

// "Load" puts the file's settings into the store, the controls and the unit, as one
// whole-settings message. The file is written by the preset library, which has its own tests.
TEST(EditorWithSimulator, LoadOfAPresetFilePutsTheWholeSettingsIntoTheUnit) {
    QTemporaryDir folder;
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
    editor.Click(editor.widgets().load);
    EXPECT_TRUE(editor.messages().isEmpty()) << editor.messages().join("\n").toStdString();
    EXPECT_TRUE(editor.WaitFor([&] { return simulator.Frames().size() > before; }, 2000));
    editor.Pause(200);
    EXPECT_EQ(simulator.BytesOf(10, before).size(), 1u);
    EXPECT_EQ(CarriedFields(simulator.State().at(1)), CarriedFields(settings));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(settings));
}

}  // namespace
}  // namespace e2e
