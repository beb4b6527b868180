// The editor against three simulated units on one line: Connect, "Update" and the address
// choice telling the units apart, "Load" of a preset file and an arrow click as the unit
// receives them.
#include <QCheckBox>
#include <QListWidget>
#include <gtest/gtest.h>

#include "EndToEnd.h"
#include "presets/PresetFile.h"

namespace e2e {
namespace {

TEST(EditorWithSimulator, ReadsLoadOfAPresetFileAndEditsReachTheChosenUnitOfThreeOnOneLine) {
    SimulatorRun simulator({"--units", "1,5,7"});
    int variant = 0;
    for (int address : {1, 5, 7}) simulator.Seed(address, UnitSettings(++variant));
    const auto units = simulator.State();
    EditorSession editor(simulator.DevicePath());
    editor.Connect();

    const size_t reads = simulator.Frames().size();
    for (int address : {1, 5, 7}) {
        SCOPED_TRACE(testing::Message() << "address " << address);
        EXPECT_EQ(address == 1 ? editor.Update() : editor.ChooseAddress(address), ReadTexts(address, true));
        EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(units.at(address)));
        // The controls whose values are not read back into the store show it too.
        for (int ch = 1; ch <= sonavel::kChannelCount; ++ch) {
            EXPECT_EQ(editor.channel(ch).crossoverLists[0]->currentIndex(), editor.store().LpType(ch));
            EXPECT_EQ(editor.channel(ch).crossoverLists[1]->currentIndex(), editor.store().HpType(ch));
            EXPECT_EQ(editor.channel(ch).invert->isChecked(), editor.store().InvertStatus(ch) == 1);
        }
    }

    // "Load" puts a preset file's settings into the store and sends them to unit 7 as one message.
    QTemporaryDir folder;
    sonavel::PresetRecord record;
    sonavel::StoreToRecord(UnitSettings(1), record);
    ASSERT_TRUE(sonavel::CreatePresetFile(folder.filePath("hall.bin").toStdString(), {record}).ok());
    editor.window().editor().controls().files.SetFolder(folder.path().toStdString());
    editor.widgets().files->setCurrentRow(0);
    editor.Click(editor.widgets().load);
    editor.Pause(kEditSettleMs);
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(UnitSettings(1)));
    // Reading sends only presence queries and settings requests, and loading one whole-settings
    // message: the refreshes that put the settings into the controls keep their messages back.
    int wholeSettings = 0;
    for (const QJsonObject& frame : simulator.Frames(reads)) {
        wholeSettings += frame["command"] == 10;
        EXPECT_TRUE(frame["command"] == 10 || frame["command"] == 11 || frame["command"] == 12)
            << frame["bytes"].toString().toStdString();
    }
    EXPECT_EQ(wholeSettings, 1);

    // The upper arrow of channel 2's band-1 gain pair, 0.5 dB more, reaches unit 7 alone, which
    // then holds the editor's settings, the loaded ones and the band's frequency, Q and type included.
    const int gain = editor.store().EqGain(2, 1);
    editor.ClickUpperArrow(editor.channel(2).gainArrows[0]);
    editor.Pause(kEditSettleMs);
    EXPECT_EQ(editor.store().EqGain(2, 1), gain - 1);
    const auto after = simulator.State();
    EXPECT_EQ(CarriedFields(after.at(7)), CarriedFields(editor.store()));
    EXPECT_EQ(after.at(1), units.at(1));
    EXPECT_EQ(after.at(5), units.at(5));
}

}  // namespace
}  // namespace e2e
