// Preset files from the window: Browse, Save through the name panel, Load, and their failures.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "EditorFixture.h"
#include "cli/LoadedPreset.h"
#include "link/Messages.h"

namespace sonavel {
namespace {

class PresetCommandsTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        BrowseTo(folder.path());
    }
    void BrowseTo(const QString& chosen) {
        window->SetFolderChooser([=, this](const QString& title, const QString& start) {
            chooserCalls << title + "|" + start;
            return chosen;
        });
        window->Command7_Click();
    }
    FileListBox* Files() const { return window->control<FileListBox>("File1"); }
    void Select(const QString& name) {
        Files()->refresh();
        Files()->setCurrentItem(Files()->findItems(name, Qt::MatchExactly).value(0));
    }
    void SaveAs(const QString& name) {
        window->Command6_Click();
        window->control<TextBox>("Text5")->setText(name);
        window->Command9_Click();
    }
    QByteArray Contents(const QString& name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Record fields are 16-bit little-endian.
    static QByteArray With(QByteArray record, int offset, int value) {
        record[offset] = char(value & 0xFF);
        record[offset + 1] = char(value >> 8);
        return record;
    }
    static int Field(const QByteArray& record, int offset) {
        return static_cast<int16_t>(uint8_t(record[offset]) | uint8_t(record[offset + 1]) << 8);
    }
    bool PanelShown() const { return !window->control("Frame9")->isHidden(); }

    QTemporaryDir folder;
    QStringList chooserCalls;
};

TEST_F(PresetCommandsTest, SavingTwiceAppendsAndLoadGivesTheFirstPreset) {
    ClickUp(Arrows("VScroll2_2"));  // channel 1 band 3: gain position 23, +0.5 dB
    Choose(List("Combo3_4"), 1);    // channel 2 band 5 a shelf: its Q arrows go off
    port.ClearWritten();
    window->Command6_Click();
    EXPECT_EQ(window->control<FrameBox>("Frame9")->caption(), "Save Preset");
    EXPECT_EQ(window->control<QLabel>("Label20")->text(), "Enter Preset Name");
    window->control<TextBox>("Text5")->setText("abc");
    emit window->control<TextBox>("Text5")->KeyPress(13);  // the Enter key saves as "Enter" does

    const QByteArray first = Contents("abc.bin");
    ASSERT_EQ(first.size(), 690);
    EXPECT_EQ(first.mid(2, 100), QByteArray("abc") + QByteArray(97, ' '));
    EXPECT_EQ(Field(first, 234 + 2 * 4), 23);  // EqGain of channel 1 band 3
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Files()->item(0)->text(), "abc.bin");
    ClickUp(Arrows("VScroll2_2"));
    SaveAs("abc");
    EXPECT_EQ(Contents("abc.bin").size(), 1380);

    port.ClearWritten();
    Select("abc.bin");
    window->Command4_Click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(Text("Text4_2"), " .5dB");
    ASSERT_EQ(Sent().size(), 1u);  // the whole settings, once
    EXPECT_EQ(Sent()[0].size(), 120u);
    EXPECT_TRUE(Arrows("VScroll11_4")->isEnabled());

    window->Command12_Click();  // with the link off the same load sends nothing
    ClickUp(Arrows("VScroll2_2"));
    port.ClearWritten();
    window->Command4_Click();
    EXPECT_EQ(window->store().EqGain(1, 3), 23);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PresetCommandsTest, LoadedValuesAreBroughtInLineAsTheCommandLineToolLoadsThem) {
    SaveAs("edge");
    // Channel 1's ratio beyond the limiter, a band-6 code its list disagrees with, channel 2's
    // output gain mute, a Q position beyond the table, and an unused field kept for the next save.
    QByteArray edge = With(Contents("edge.bin"), 134, 500);
    edge = With(With(With(edge, 150 + 2 * 10, 2), 102 + 2 * 3, 0), 262 + 2 * 1, 300);
    Write("edge.bin", With(edge, 110, 0x1234));
    Select("edge.bin");
    window->Command4_Click();
    EXPECT_EQ(window->store().CompRatio(1), 100);  // 101 once loaded, then the limiter
    EXPECT_EQ(Text("Text7_3"), "Limiter");
    EXPECT_TRUE(Box("Check7_1")->isChecked());

    // The same store, and so the same whole-settings message, as sonavel-cli write sends.
    const ParameterStore loaded = cli::LoadedPresetFile(folder.filePath("edge.bin").toStdString());
    EXPECT_EQ(window->store(), loaded);
    ASSERT_EQ(Sent().size(), 1u);
    EXPECT_EQ(Sent()[0], WholeSettingsMessage(loaded, 1));
    EXPECT_EQ(Sent()[0][61], 3) << "band 6 of channel 1 takes its code from its list position";

    SaveAs("again");
    EXPECT_EQ(Field(Contents("again.bin"), 110), 0x1234);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PresetCommandsTest, FilesThatCannotBeLoadedLeaveTheStoreAndTheUnitAlone) {
    SaveAs("good");
    Write("loud.bin", With(Contents("good.bin"), 102, 146));  // input gain of channel 1 beyond 145
    ClickUp(Arrows("VScroll2_2"));
    port.ClearWritten();
    const ParameterStore before = window->store();
    bool busyDuringBox = false;
    window->SetMessageBox([&](MessageIcon icon, const QString& title, const QString& text) {
        busyDuringBox = !window->control("Command4")->isEnabled() && window->cursor().shape() == Qt::BusyCursor;
        messages << title + "|" + text;
        icons.push_back(icon);
    });

    Files()->refresh();  // nothing selected
    window->Command4_Click();
    Select("loud.bin");
    window->Command4_Click();
    ASSERT_EQ(messages.size(), 2);
    for (const QString& message : messages) EXPECT_TRUE(message.startsWith("Open File|Open File Error")) << message.toStdString();
    EXPECT_EQ(icons, std::vector<MessageIcon>(2, MessageIcon::None));
    EXPECT_TRUE(busyDuringBox);
    EXPECT_TRUE(window->control("Command4")->isEnabled());
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(window->store(), before);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PresetCommandsTest, NamesThatCannotBeFilesAndFailedWritesAreReported) {
    for (const QString& name : {QString(), QString("   "), QString("a/b"), QString(300, 'x')}) {
        SaveAs(name);
        EXPECT_EQ(titles.value(0) + "|" + messages.value(0).left(14), "File Nanme|FileName Error") << name.toStdString();
        EXPECT_EQ(icons.at(0), MessageIcon::Stop);
        EXPECT_FALSE(PanelShown());
        messages.clear(), titles.clear(), icons.clear();
    }
    QDir(folder.path()).mkdir("gone");
    BrowseTo(folder.filePath("gone"));
    QDir(folder.filePath("gone")).removeRecursively();
    SaveAs("abc");  // the chosen folder went away
    BrowseTo("/" + QString(5000, 'd'));
    SaveAs("abc");  // a path longer than the system takes is refused, never cut
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith("Save File Error"));
    EXPECT_TRUE(messages[1].startsWith("Save File Error") && messages[1].contains("longer than"));
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// A file name is bytes: one that is not UTF-8 is listed, loaded and saved under its own name.
TEST_F(PresetCommandsTest, ANameThatIsNotUtf8IsListedLoadedAndSavedAgain) {
    SaveAs("good");
    const std::string odd = QFile::encodeName(folder.path()).toStdString() + "/\xff.bin";
    ASSERT_TRUE(std::filesystem::copy_file(QFile::encodeName(folder.filePath("good.bin")).toStdString(), odd));
    Files()->refresh();
    Files()->selectFile("\xff.bin");
    ASSERT_EQ(Files()->fileSystemName(), "\xff.bin");
    ClickUp(Arrows("VScroll2_2"));
    window->Command4_Click();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(window->store().EqGain(1, 3), 24);
}

// None of these may block the window; each is answered with a message at once.
TEST_F(PresetCommandsTest, HostileFilesAndAVanishedFolderAreReportedAndNothingIsLost) {
    SaveAs("good");
    const std::string path = QFile::encodeName(folder.path()).toStdString() + "/";
    std::filesystem::copy_file(path + "good.bin", path + "soon-a-pipe.bin");
    std::ofstream(path + "victim.txt") << std::string(1000, 't');
    std::filesystem::create_symlink("victim.txt", path + "alink.bin");
    Files()->refresh();
    Files()->selectFile("soon-a-pipe.bin");
    std::filesystem::remove(path + "soon-a-pipe.bin");
    ASSERT_EQ(::mkfifo((path + "soon-a-pipe.bin").c_str(), 0644), 0);
    window->Command4_Click();
    SaveAs("alink");  // through the link into a file that holds no whole records
    Files()->selectFile("good.bin");
    std::filesystem::rename(path, path.substr(0, path.size() - 1) + "-moved");
    window->Command4_Click();
    std::filesystem::rename(path.substr(0, path.size() - 1) + "-moved", path);
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].startsWith("Open File Error") && messages[0].contains("not a regular file"));
    EXPECT_TRUE(messages[1].startsWith("Save File Error") && messages[1].contains("690-byte records"));
    EXPECT_TRUE(messages[2].startsWith("Open File Error") && messages[2].contains("no such file"));
    EXPECT_EQ(std::filesystem::file_size(path + "victim.txt"), 1000u);
    EXPECT_EQ(std::filesystem::file_size(path + "good.bin"), 690u);
}

TEST_F(PresetCommandsTest, EnterOutsideTheNamePanelExitAndACancelledBrowseChangeNothing) {
    window->Command9_Click();  // before any Save
    SaveAs("abc");
    window->Command6_Click();
    window->control<TextBox>("Text5")->setText("abc");
    window->Command10_Click();  // "Exit" saves nothing
    window->Command6_Click();
    window->control<TextBox>("Text5")->setText("xyz");
    window->Command4_Click();  // "Load" in between (refused: nothing selected)
    window->Command9_Click();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"abc.bin"});
    EXPECT_EQ(Contents("abc.bin").size(), 690);  // one save only

    EXPECT_EQ(chooserCalls.value(0), "Selected...|" + QDir::currentPath());
    BrowseTo(QString());  // cancelled
    EXPECT_EQ(Files()->path(), folder.path());
    EXPECT_EQ(Files()->count(), 1);
}

}  // namespace
}  // namespace sonavel
