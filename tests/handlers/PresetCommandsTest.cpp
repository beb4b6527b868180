// Preset files from the editor: Browse, Save through the name panel, Load, and their failures.
#include <filesystem>

#include "HandlerFixture.h"
#include "cli/LoadedPreset.h"
#include "tests/support/Folder.h"

namespace sonavel {
namespace {

namespace fs = std::filesystem;

class PresetCommandsTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        BrowseTo(folder.path());
    }
    void BrowseTo(const std::string& chosen) {
        view.chosenFolder = chosen;
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
    // Record fields are 16-bit little-endian.
    static std::string With(std::string record, int offset, int value) {
        record[offset] = char(value & 0xFF);
        record[offset + 1] = char(value >> 8);
        return record;
    }
    static int Field(const std::string& record, int offset) {
        return static_cast<int16_t>(uint8_t(record[offset]) | uint8_t(record[offset + 1]) << 8);
    }

    test::Folder folder;
};

TEST_F(PresetCommandsTest, SaveThroughTheNamePanelThenLoadTheFirstPreset) {
    ClickUp(Channel(1).gainArrows[2]);  // channel 1 band 3: gain position 23, +0.5 dB
    Channel(2).typeLists[4].SetPosition(1);  // channel 2 band 5 a shelf: its Q arrows go off
    Controls().save.Click();
    EXPECT_EQ(Controls().presetPanel.text(), "Save Preset");
    EXPECT_EQ(Controls().presetTitle.text(), "Enter Preset Name");
    EXPECT_TRUE(Controls().presetName.visible());
    Controls().presetName.EnterText("abc");
    Controls().presetName.Key(13);  // the Enter key saves as "Enter" does
    EXPECT_EQ(Field(folder.read("abc.bin"), 234 + 2 * 4), 23);  // EqGain of channel 1 band 3
    EXPECT_FALSE(Controls().presetPanel.visible());
    EXPECT_EQ(Controls().files.names(), std::vector<std::string>{"abc.bin"});
    ClickUp(Channel(1).gainArrows[2]);
    SaveAs("abc");

    port.ClearWritten();
    Select("abc.bin");
    Controls().load.Click();
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(Channel(1).gainBoxes[2].text(), " .5dB");
    ASSERT_EQ(Sent().size(), 1u);  // the whole settings, once
    EXPECT_EQ(Sent()[0].size(), 120u);
    EXPECT_TRUE(Channel(2).qArrows[4].enabled());
}

TEST_F(PresetCommandsTest, LoadedValuesAreBroughtInLineAsTheCommandLineToolLoadsThem) {
    SaveAs("edge");
    // Channel 1's ratio beyond the limiter, a band-6 code its list disagrees with, channel 2's
    // output gain mute, a Q position beyond the table, and an unused field kept for the next save.
    std::string edge = With(folder.read("edge.bin"), 134, 500);
    edge = With(With(With(edge, 150 + 2 * 10, 2), 102 + 2 * 3, 0), 262 + 2 * 1, 300);
    folder.write("edge.bin", With(edge, 110, 0x1234));
    Select("edge.bin");
    Controls().load.Click();
    EXPECT_EQ(Store().CompRatio(1), 100);  // 101 once loaded, then the limiter
    EXPECT_EQ(Channel(1).compressorBoxes[3].text(), "Limiter");
    EXPECT_TRUE(Channel(2).mute.checked());

    // The same store, and so the same whole-settings message, as sonavel-cli write sends.
    const ParameterStore loaded = cli::LoadedPresetFile(folder.file("edge.bin"));
    EXPECT_EQ(Store(), loaded);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0], WholeSettingsMessage(loaded, 1));
    EXPECT_EQ(Sent()[0][61], 3) << "band 6 of channel 1 takes its code from its list position";

    SaveAs("again");
    EXPECT_EQ(Field(folder.read("again.bin"), 110), 0x1234);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(PresetCommandsTest, FailuresAreReportedAndChangeNothing) {
    SaveAs("good");
    folder.write("loud.bin", With(folder.read("good.bin"), 102, 146));  // input gain of channel 1 beyond 145
    ClickUp(Channel(1).gainArrows[2]);
    port.ClearWritten();
    const ParameterStore before = Store();
    bool busyDuringBox = false;
    view.onMessage = [&] { busyDuringBox = view.busy && !Controls().load.enabled(); };

    Controls().load.Click();  // nothing selected
    Select("loud.bin");
    Controls().load.Click();
    ASSERT_EQ(view.messages.size(), 2u);
    for (const auto& message : view.messages) {
        EXPECT_EQ(message.title + "|" + message.text.substr(0, 15), "Open File|Open File Error") << message.text;
        EXPECT_EQ(message.icon, MessageIcon::None);
    }
    EXPECT_TRUE(busyDuringBox);
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(Controls().load.enabled());
    EXPECT_EQ(Store(), before);
    EXPECT_TRUE(Sent().empty());

    view.messages.clear();
    SaveAs("a/b");  // a name that cannot be a file name
    BrowseTo(folder.file("gone"));
    SaveAs("abc");  // the chosen folder is not there
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0].title + "|" + view.messages[0].text.substr(0, 14), "File Nanme|FileName Error");
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(view.messages[1].text.substr(0, 15), "Save File Error");
    EXPECT_FALSE(Controls().presetPanel.visible());
}

TEST_F(PresetCommandsTest, EnterOutsideTheNamePanelExitAndACancelledBrowseChangeNothing) {
    Controls().enter.Click();  // before any Save
    SaveAs("abc");
    Controls().save.Click();
    Controls().presetName.EnterText("abc");
    Controls().exit.Click();  // "Exit" saves nothing
    Controls().save.Click();
    Controls().presetName.EnterText("xyz");
    Controls().load.Click();  // "Load" in between (refused: nothing selected)
    Controls().enter.Click();
    EXPECT_EQ(Controls().files.names(), std::vector<std::string>{"abc.bin"});
    EXPECT_EQ(folder.read("abc.bin").size(), 690u);  // one save only

    EXPECT_EQ(view.folderRequests.at(0), "Selected...|" + fs::current_path().string());
    BrowseTo("");  // cancelled
    EXPECT_EQ(Controls().files.folder(), folder.path());
}

}  // namespace
}  // namespace sonavel
