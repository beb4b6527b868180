// Preset files from the window: Browse, Save through the name panel, Load, and every way
// they can fail without touching the store.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "EditorFixture.h"
#include "editor/WindowLayout.h"

namespace sonavel {
namespace {

class PresetCommandsTest : public EditingTest {
protected:
    void SetUp() override {
        EditingTest::SetUp();
        ASSERT_TRUE(folder.isValid());
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
    QStringList Listed() const {
        QStringList names;
        for (int row = 0; row < Files()->count(); ++row) names << Files()->item(row)->text();
        return names;
    }
    void Select(const QString& name) {
        Files()->refresh();
        const auto found = Files()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        Files()->setCurrentItem(found.first());
    }
    void SaveAs(const QString& name) {
        window->Command6_Click();
        window->control<TextBox>("Text5")->setText(name);
        window->Command9_Click();
    }
    QString PathOf(const QString& name) const { return folder.filePath(name); }
    QByteArray Contents(const QString& name) const {
        QFile file(PathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QString& name, const QByteArray& bytes) const {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static int Value16(const QByteArray& bytes, int offset) {
        return static_cast<int16_t>(uint8_t(bytes[offset]) | uint8_t(bytes[offset + 1]) << 8);
    }
    static void SetValue16(QByteArray& bytes, int offset, int value) {
        bytes[offset] = char(value & 0xFF);
        bytes[offset + 1] = char((value >> 8) & 0xFF);
    }
    bool PanelShown() const { return !window->control("Frame9")->isHidden(); }

    QTemporaryDir folder;
    QStringList chooserCalls;
};

TEST_F(PresetCommandsTest, SavingTwiceAppendsAndLoadGivesTheFirstPreset) {
    ClickUp(Arrows("VScroll2_2"));  // channel 1 band 3: gain position 23, +0.5 dB
    Choose(List("Combo3_4"), 1);    // channel 2 band 5 a shelf: its Q arrows are off
    ASSERT_FALSE(Arrows("VScroll11_4")->isEnabled());
    port.ClearWritten();

    window->Command6_Click();
    EXPECT_TRUE(PanelShown());
    EXPECT_EQ(window->control<FrameBox>("Frame9")->caption(), "Save Preset");
    EXPECT_EQ(window->control<QLabel>("Label20")->text(), "Enter Preset Name");
    for (const char* name : {"Text5", "Command9", "Command10", "Label20"})
        EXPECT_FALSE(window->control(name)->isHidden()) << name;
    for (const char* name : {"Command11", "Combo4"}) EXPECT_TRUE(window->control(name)->isHidden()) << name;
    EXPECT_EQ(Text("Text5"), "");
    EXPECT_EQ(window->state().PresetPanelMode, 2);
    window->control<TextBox>("Text5")->setText("abc");
    emit window->control<TextBox>("Text5")->KeyPress(13);  // the Enter key saves as "Enter" does

    const QByteArray first = Contents("abc.bin");
    ASSERT_EQ(first.size(), 690);
    EXPECT_EQ(first.mid(2, 100), QByteArray("abc") + QByteArray(97, ' '));
    EXPECT_EQ(Value16(first, 234 + 2 * 4), 23);  // EqGain, channel 1 band 3
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Listed(), QStringList{"abc.bin"});
    EXPECT_TRUE(Sent().empty());  // saving sends nothing
    EXPECT_TRUE(messages.isEmpty());

    ClickUp(Arrows("VScroll2_2"));  // 22 now
    SaveAs("abc");
    EXPECT_EQ(Contents("abc.bin").size(), 1380);
    EXPECT_EQ(Contents("abc.bin").left(690), first);

    port.ClearWritten();
    Select("abc.bin");
    window->Command4_Click();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(window->store().EqGain(1, 3), 23);
    EXPECT_EQ(Text("Text4_2"), " .5dB");
    ASSERT_EQ(Sent().size(), 1u);  // the whole settings, once
    EXPECT_EQ(Sent()[0].size(), 120u);
    EXPECT_EQ(Sent()[0][5], 10);
    EXPECT_EQ(window->link().Online, 0);
    EXPECT_TRUE(Arrows("VScroll11_4")->isEnabled());
    EXPECT_TRUE(window->control("Command4")->isEnabled());
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(window->state().PresetPanelMode, 1);

    // With the link off the same load sends nothing.
    window->Command12_Click();
    ClickUp(Arrows("VScroll2_2"));
    port.ClearWritten();
    window->Command4_Click();
    EXPECT_EQ(window->store().EqGain(1, 3), 23);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(PresetCommandsTest, FilesThatCannotBeLoadedLeaveTheStoreAndTheUnitAlone) {
    SaveAs("good");
    const QByteArray good = Contents("good.bin");
    QByteArray loud = good;
    SetValue16(loud, 102, 146);  // input gain of channel 1 beyond 145
    Write("loud.bin", loud);
    Write("short.bin", good.left(689));
    Write("gone.bin", good);
    ClickUp(Arrows("VScroll2_2"));
    port.ClearWritten();
    const ParameterStore before = window->store();

    // While the box is up the button is off and the pointer busy; both come back after it.
    bool busyDuringBox = false;
    window->SetMessageBox([&](MessageIcon icon, const QString& title, const QString& text) {
        busyDuringBox = !window->control("Command4")->isEnabled() && window->cursor().shape() == Qt::BusyCursor;
        messages << text;
        titles << title;
        icons.push_back(icon);
    });
    const auto expectRefused = [&](const char* what) {
        window->Command4_Click();
        ASSERT_FALSE(messages.isEmpty()) << what;
        EXPECT_TRUE(messages.last().startsWith("Open File Error")) << what;
        EXPECT_EQ(titles.last(), "Open File") << what;
        EXPECT_EQ(icons.back(), MessageIcon::None) << what;
        EXPECT_TRUE(busyDuringBox) << what;
        EXPECT_TRUE(window->control("Command4")->isEnabled()) << what;
        EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << what;
        EXPECT_EQ(window->store(), before) << what;
        EXPECT_EQ(Text("Text4_2"), " .5dB") << what;
        EXPECT_TRUE(Sent().empty()) << what;
        messages.clear();
    };

    Files()->refresh();
    expectRefused("nothing selected");
    Select("loud.bin");
    expectRefused("input gain 146");
    Select("short.bin");
    expectRefused("shorter than a record");
    Select("gone.bin");
    QFile::remove(PathOf("gone.bin"));
    expectRefused("removed after listing");
}

TEST_F(PresetCommandsTest, LoadedValuesOutsideTheControlsAreBroughtIntoRange) {
    SaveAs("edge");
    QByteArray edge = Contents("edge.bin");
    SetValue16(edge, 102, 145);                 // input gains at their limits are accepted
    SetValue16(edge, 104, 0);
    SetValue16(edge, 124, 101);                 // compressor threshold of channel 2
    SetValue16(edge, 134, 500);                 // compressor ratio of channel 1
    SetValue16(edge, 262, 300);                 // Q position, channel 1 band 1
    SetValue16(edge, 178 + 2 * 3, 30000);       // frequency, channel 2 band 2
    SetValue16(edge, 110, 0x1234);              // an unused field, kept for the next save
    Write("edge.bin", edge);
    Select("edge.bin");
    window->Command4_Click();

    EXPECT_TRUE(messages.isEmpty());
    const ParameterStore& store = window->store();
    EXPECT_EQ(store.GainLevel(1), 145);
    EXPECT_EQ(store.GainLevel(2), 0);
    EXPECT_EQ(store.CompThreshold(2), 100);
    EXPECT_EQ(store.CompRatio(1), 100);  // 101 on loading, the limiter once shown
    EXPECT_EQ(Text("Text7_3"), "Limiter");
    EXPECT_EQ(store.EqQFactor(1, 1), 100);
    EXPECT_EQ(store.EqFrequency(2, 2), 20160);
    EXPECT_EQ(Text("Text3_1"), " 20160Hz");

    SaveAs("again");
    EXPECT_EQ(Value16(Contents("again.bin"), 110), 0x1234);
}

TEST_F(PresetCommandsTest, NamesThatCannotBeFilesAndFailedWritesAreReported) {
    for (const QString& name : {QString(), QString("   "), QString("a/b"), QString(300, 'x')}) {
        SaveAs(name);
        ASSERT_FALSE(messages.isEmpty());
        EXPECT_TRUE(messages.last().startsWith("FileName Error")) << name.toStdString();
        EXPECT_EQ(titles.last(), "File Nanme");
        EXPECT_EQ(icons.back(), MessageIcon::Stop);
        EXPECT_FALSE(PanelShown());
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    // The chosen folder went away: the write fails and says so.
    messages.clear();
    ASSERT_TRUE(QDir(folder.path()).mkdir("gone"));
    BrowseTo(folder.filePath("gone"));
    ASSERT_TRUE(QDir(folder.filePath("gone")).removeRecursively());
    SaveAs("abc");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Save File Error")) << messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath("gone/abc.bin")));

    // A path longer than the system takes is refused, never cut to fit.
    BrowseTo("/" + QString(5000, 'd'));
    SaveAs("abc");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].startsWith("Save File Error"));
    EXPECT_TRUE(messages[1].contains("longer than")) << messages[1].toStdString();
}

TEST_F(PresetCommandsTest, EnterOutsideTheNamePanelAndExitSaveNothing) {
    window->Command9_Click();  // before any Save
    window->Command6_Click();
    window->control<TextBox>("Text5")->setText("abc");
    window->Command10_Click();  // "Exit"
    EXPECT_FALSE(PanelShown());

    window->Command6_Click();
    window->control<TextBox>("Text5")->setText("abc");
    window->Command4_Click();  // "Load" in between (nothing selected: refused)
    window->Command9_Click();
    EXPECT_EQ(window->state().PresetPanelMode, 1);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(messages.size(), 1);  // only the load's refusal
}

TEST_F(PresetCommandsTest, BrowseListsTheChosenFoldersPresetsAndCancelKeepsTheFolder) {
    ASSERT_EQ(chooserCalls.size(), 1);
    EXPECT_EQ(chooserCalls[0], "Selected...|" + QDir::currentPath());

    QTemporaryDir other;
    QFile(other.filePath("a.bin")).open(QIODevice::WriteOnly);
    QFile(other.filePath("notes.txt")).open(QIODevice::WriteOnly);
    QDir(other.path()).mkdir("folder.bin");
    BrowseTo(other.path());
    EXPECT_EQ(Files()->path(), other.path());
    EXPECT_EQ(Listed(), QStringList{"a.bin"});

    BrowseTo(QString());  // cancelled
    EXPECT_EQ(chooserCalls.last(), "Selected...|" + other.path());
    EXPECT_EQ(Files()->path(), other.path());
    EXPECT_EQ(Listed(), QStringList{"a.bin"});
}

}  // namespace
}  // namespace sonavel
