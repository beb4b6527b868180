// The editor against simulated units: the presence lamp, arrow clicks and typing as the unit
// receives them, "Update" and the address choice reading a unit's settings into the store and
// the controls, a unit slot written and recalled, and a unit that never answers.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "UnitSettings.h"
#include "editor/Controls.h"

namespace e2e {
namespace {

using sonavel::ParameterStore;

const QColor kLampOn(128, 255, 128);
const QColor kLampOff(64, 64, 64);
// A verdict on the lamp falls every third presence check, about 1.3 s apart; the first
// one after polling starts may come before any reply could.
constexpr int kVerdictMs = 5000;
// A single edit pauses 128 ms; the simulator logs what it receives at once.
constexpr int kEditSettleMs = 400;

std::vector<LoggedFrame> FramesSince(const SimulatorRun& simulator, size_t first) {
    std::vector<LoggedFrame> frames = simulator.Frames();
    return {frames.begin() + static_cast<long>(std::min(first, frames.size())), frames.end()};
}

std::vector<QString> BytesOfCommand(const std::vector<LoggedFrame>& frames, int command) {
    std::vector<QString> bytes;
    for (const LoggedFrame& frame : frames)
        if (frame.command == command) bytes.push_back(frame.bytes);
    return bytes;
}

TEST(EditorWithSimulator, ConnectLightsTheLampAndEditsReachTheUnitAsTheirFrames) {
    SimulatorRun simulator;
    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    EXPECT_EQ(editor.window().control<QPushButton>("Command12")->text(), "Connect");
    // The first refresh built messages that nobody answered, so presence is confirmed by polling.
    EXPECT_TRUE(editor.WaitFor([&] { return editor.Colour("Label8") == kLampOn; }, kVerdictMs));

    // The upper arrow of channel 1's band-3 gain pair: 0.5 dB more, gain step 24 -> 23.
    const size_t before = simulator.Frames().size();
    editor.ClickUpperArrow(editor.window().GainArrow(1, 2));
    editor.Pause(kEditSettleMs);
    const std::vector<LoggedFrame> received = FramesSince(simulator, before);
    EXPECT_EQ(BytesOfCommand(received, 4),
              std::vector<QString>{"01 20 03 40 11 04 01 03 01 0A 00 17 23 00 01 05 60"});
    for (const LoggedFrame& frame : received)
        EXPECT_TRUE(frame.command == 4 || frame.command == 11) << frame.bytes.toStdString();
    EXPECT_EQ(simulator.State().at(1).EqGain(1, 3), 23);
    EXPECT_EQ(editor.window().GainBox(1, 2)->text(), " .5dB");

    // 1200 Hz typed into band 1's frequency box: reading stops at the letters, and a changed
    // frequency is sent twice.
    const size_t beforeTyping = simulator.Frames().size();
    auto* box = editor.window().FrequencyBox(1, 0);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClicks(box, "1200Hz");
    QTest::keyClick(box, Qt::Key_Return);
    editor.Pause(kEditSettleMs);
    EXPECT_EQ(BytesOfCommand(FramesSince(simulator, beforeTyping), 4),
              std::vector<QString>(2, "01 20 03 40 11 04 01 01 01 0C 00 18 23 00 01 05 60"));
    EXPECT_EQ(box->text(), " 1200Hz");

    // Channel 2's input gain one step up, 121 -> 122, travels with both output levels and delays.
    const size_t beforeGain = simulator.Frames().size();
    editor.ClickUpperArrow(editor.window().control("VScroll4_1"));
    editor.Pause(kEditSettleMs);
    EXPECT_EQ(BytesOfCommand(FramesSince(simulator, beforeGain), 1),
              std::vector<QString>{"01 20 03 40 0F 01 79 7A 79 79 01 01 01 05 60"});
    EXPECT_EQ(simulator.State().at(1).GainLevel(2), 122);
}

TEST(EditorWithSimulator, PresenceLampFollowsTheAddressedUnit) {
    SimulatorRun simulator({"--units", "5"});
    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    // Choosing the port again starts polling address 1, where no unit answers.
    auto* ports = editor.window().control<sonavel::ListBox>("Combo5");
    ports->setCurrentIndex(0);
    emit ports->activated(0);
    EXPECT_TRUE(editor.WaitFor([&] { return editor.Colour("Label8") == kLampOff; }, kVerdictMs));
    editor.Pause(kVerdictMs);
    EXPECT_EQ(editor.Colour("Label8"), kLampOff);
    const std::vector<LoggedFrame> frames = simulator.Frames();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().bytes, "01 20 03 40 09 0B 01 05 60");
    EXPECT_TRUE(frames.back().note.startsWith("ignored")) << frames.back().note.toStdString();

    // Address 5 is the unit's: its settings are read and the lamp lights at the next verdict.
    EXPECT_EQ(editor.ChooseAddress(5), GoodRead(5));
    EXPECT_TRUE(editor.WaitFor([&] { return editor.Colour("Label8") == kLampOn; }, kVerdictMs));
}

TEST(EditorWithSimulator, UpdateAndAddressChoiceTellThreeUnitsOnOneLineApart) {
    SimulatorRun simulator({"--units", "1,5,7"});
    simulator.Seed(1, UnitSettings(1));
    simulator.Seed(5, UnitSettings(2));
    simulator.Seed(7, UnitSettings(3));
    const UnitStates units = simulator.State();
    ASSERT_EQ(units.size(), 3u);

    EditorSession editor(simulator.DevicePath());
    const size_t seeds = simulator.Frames().size();
    editor.Connect();
    EXPECT_EQ(editor.Update(), GoodRead(1));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(units.at(1)));
    ExpectControlsShow(editor.window(), units.at(1));

    for (int address : {5, 7}) {
        SCOPED_TRACE(testing::Message() << "address " << address);
        EXPECT_EQ(editor.ChooseAddress(address), GoodRead(address));
        EXPECT_EQ(editor.window().link().DeviceAddress, address);
        EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(units.at(address)));
        ExpectControlsShow(editor.window(), units.at(address));
    }

    // Reading sends nothing but presence queries and settings requests: the refreshes that
    // put the settings into the controls keep their messages back.
    for (const LoggedFrame& frame : FramesSince(simulator, seeds))
        EXPECT_TRUE(frame.command == 11 || frame.command == 12) << frame.bytes.toStdString();

    // An edit now reaches unit 7 only.
    const int gain = editor.store().EqGain(2, 1);
    ASSERT_GT(gain, 0);
    editor.ClickUpperArrow(editor.window().GainArrow(2, 0));
    editor.Pause(kEditSettleMs);
    const UnitStates after = simulator.State();
    EXPECT_EQ(after.at(7).EqGain(2, 1), gain - 1);
    EXPECT_EQ(after.at(1), units.at(1));
    EXPECT_EQ(after.at(5), units.at(5));
}

TEST(EditorWithSimulator, SettingsStoredInAUnitSlotComeBackByRecall) {
    SimulatorRun simulator;
    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    editor.ClickUpperArrow(editor.window().GainArrow(1, 2));
    const ParameterStore stored = editor.store();

    // "Load to DSP" into slot 3: the unit takes the whole store there and does not answer.
    const size_t beforeStore = simulator.Frames().size();
    editor.window().control<sonavel::ListBox>("Combo8")->setCurrentIndex(2);
    editor.window().Command1_Click();
    editor.Pause(200);
    const std::vector<LoggedFrame> storeFrames = FramesSince(simulator, beforeStore);
    ASSERT_EQ(BytesOfCommand(storeFrames, 14).size(), 1u);
    const QStringList bytes = BytesOfCommand(storeFrames, 14).front().split(' ');
    ASSERT_EQ(bytes.size(), 121);
    EXPECT_EQ(bytes[117], "03");
    EXPECT_EQ(bytes[118], "01");

    // Changed afterwards, with channel 1 muted; the recall brings the stored settings back
    // and leaves both channels unmuted.
    editor.ClickUpperArrow(editor.window().GainArrow(1, 2));
    QTest::mouseClick(editor.window().control("Check7_0"), Qt::LeftButton);
    ASSERT_TRUE(editor.window().control<QCheckBox>("Check7_0")->isChecked());
    editor.window().control<sonavel::ListBox>("Combo9")->setCurrentIndex(2);
    EXPECT_EQ(editor.StatusTextsDuring([&] { editor.window().Command2_Click(); }),
              QStringList({"Recall Preset:User 3...", "Recall Preset:User 3...Flish", "Update...", ""}));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(stored));
    EXPECT_EQ(editor.store().EqGain(1, 3), 23);
    EXPECT_FALSE(editor.window().control<QCheckBox>("Check7_0")->isChecked());
    EXPECT_EQ(BytesOfCommand(simulator.Frames(), 12).back(), "01 20 03 40 0A 0C 03 01 05 60");
}

TEST(EditorWithSimulator, UpdateFromASilentUnitEndsInErrorAndChangesNothing) {
    SimulatorRun simulator({"--silent"});
    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    const ParameterStore before = editor.store();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(editor.Update(), FailedRead(1));
    // The wake-up ping waits about 220 ms, each of the three requests about 1 s.
    EXPECT_GE(clock.elapsed(), 2800);
    EXPECT_LE(clock.elapsed(), 6000);
    EXPECT_EQ(editor.store(), before);
    EXPECT_TRUE(editor.window().control("Label20")->isVisible());
    EXPECT_EQ(BytesOfCommand(simulator.Frames(), 12),
              std::vector<QString>(3, "01 20 03 40 09 0C 01 05 60"));

    editor.Click("Command10");  // "Exit"
    EXPECT_FALSE(editor.window().control("Frame9")->isVisible());
}

}  // namespace
}  // namespace e2e
