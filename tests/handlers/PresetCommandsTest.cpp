// Preset files from the editor: Browse, Save through the name panel, Load, and their failures.
#include <filesystem>

#include "HandlerFixture.h"
#include "cli/LoadedPreset.h"
#include "presets/PresetFile.h"
#include "tests/support/Folder.h"

namespace sonavel {
namespace {

class PresetCommandsTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        view.chosenFolder = folder.path();
        Controls().browse.Click();
    }
    void Select(const std::string& name) {
        FileListValue& files = Controls().files;
        files.Refresh();
        const auto& names = files.names();
        files.Select(static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()));
    }
    void SaveAs(const std::string& name) {
        Controls().save.Click();
        Controls().presetName.EnterText(name);
        Controls().enter.Click();
    }
    PresetRecord Saved(const std::string& file) { return ReadPresetRecord(folder.file(file)).value(); }

    test::Folder folder;
};

TEST_F(PresetCommandsTest, SaveThroughTheNamePanelThenLoadTheFirstPreset) {
    EXPECT_EQ(view.folderAsked, "Selected...|" + std::filesystem::current_path().string());
    Controls().enter.Click();  // before any Save: nothing
    ClickUp(Channel(1).gainArrows[2]);  // channel 1 band 3: gain position 23, +0.5 dB
    Controls().save.Click();
    EXPECT_EQ(Controls().presetTitle.text(), "Enter Preset Name");
    Controls().presetName.EnterText("abc");
    Controls().presetName.Key(13);  // the Enter key saves as "Enter" does
    EXPECT_EQ(Saved("abc.bin").Value(234 + 2 * 4), 23);  // EqGain of channel 1 band 3
    EXPECT_FALSE(Controls().presetPanel.visible());
    ClickUp(Channel(1).gainArrows[2]);
    SaveAs("abc");
    Controls().save.Click();  // "Exit" closes the panel without saving
    Controls().presetName.EnterText("abc");
    Controls().exit.Click();
    EXPECT_EQ(Controls().files.names(), std::vector<std::string>{"abc.bin"});
    EXPECT_EQ(folder.read("abc.bin").size(), 2u * kPresetRecordSize);

    port.ClearWritten();
    Select("abc.bin");
    Controls().load.Click();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(Channel(1).gainBoxes[2].text(), " .5dB");
    EXPECT_EQ(Sent().size(), 1u);  // the whole settings, once
}

TEST_F(PresetCommandsTest, LoadedValuesAreBroughtInLineAsTheCommandLineToolLoadsThem) {
    SaveAs("edge");
    PresetRecord edge = Saved("edge.bin");
    edge.SetValue(102 + 2 * 3, 0);  // channel 2's output gain mute
    edge.SetValue(110, 0x1234);  // an unused field, kept for the next save
    ASSERT_TRUE(CreatePresetFile(folder.file("edited.bin"), {edge}).ok());
    Select("edited.bin");
    Controls().load.Click();
    // The same store, and so the same whole-settings message, as sonavel-cli write sends.
    const ParameterStore loaded = cli::LoadedPresetFile(folder.file("edited.bin"));
    EXPECT_EQ(Store(), loaded);
    EXPECT_EQ(Sent(), std::vector<Bytes>{WholeSettingsMessage(loaded, 1)});

    SaveAs("again");
    EXPECT_EQ(Saved("again.bin").Value(110), 0x1234);
}

TEST_F(PresetCommandsTest, FailuresAreReportedAndChangeNothing) {
    SaveAs("good");
    PresetRecord loud = Saved("good.bin");
    loud.SetValue(102, 146);  // input gain of channel 1 beyond 145
    ASSERT_TRUE(CreatePresetFile(folder.file("loud.bin"), {loud}).ok());
    ClickUp(Channel(1).gainArrows[2]);
    port.ClearWritten();
    const ParameterStore before = Store();

    Controls().load.Click();  // nothing selected
    Select("loud.bin");
    Controls().load.Click();
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[1].second.substr(0, 25), "Open File|Open File Error");
    EXPECT_EQ(view.messages[1].first, MessageIcon::None);
    EXPECT_TRUE(view.busyAtMessage);
    EXPECT_TRUE(Controls().load.enabled());
    EXPECT_EQ(Store(), before);
    EXPECT_TRUE(Sent().empty());

    view.messages.clear();
    SaveAs("a/b");  // a name that cannot be a file name
    view.chosenFolder = folder.file("gone");
    Controls().browse.Click();
    SaveAs("abc");  // the chosen folder is not there
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].second.substr(0, 25), "File Nanme|FileName Error");
    EXPECT_EQ(view.messages[0].first, MessageIcon::Stop);
    EXPECT_EQ(view.messages[1].second.substr(0, 25), "Save File|Save File Error");
    EXPECT_FALSE(Controls().presetPanel.visible());
}

}  // namespace
}  // namespace sonavel
