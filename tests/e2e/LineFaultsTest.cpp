// The editor on a line that misbehaves: replies with flipped bits, and a line that goes away
// in the middle of a read. Replies in pieces after junk are the receiver's tests.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <optional>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "UnitSettings.h"
#include "model/StoreFields.h"

namespace e2e {
namespace {

using sonavel::ParameterStore;

// Elements, among those a settings dump carries, where the two settings differ.
int DifferingFields(const ParameterStore& a, const ParameterStore& b) {
    const auto first = CarriedFields(a), second = CarriedFields(b);
    int count = 0;
    for (const auto& [name, value] : first) count += second.at(name) != value;
    return count;
}

// A simulator with units 1 and 5 holding different settings, and the editor connected to it.
struct TwoUnits {
    explicit TwoUnits(const QStringList& faults) : simulator(QStringList{"--units", "1,5"} + faults) {
        simulator.Seed(1, UnitSettings(1));
        simulator.Seed(5, UnitSettings(2));
        units = simulator.State();
        editor.emplace(simulator.DevicePath());
        editor->Connect();
    }
    SimulatorRun simulator;
    UnitStates units;
    std::optional<EditorSession> editor;
};

// The line has no checksum: a flipped bit inside a value's range cannot be told from the
// truth, so the checks are that a read lands whole or not at all and that nothing out of
// range gets into the store.
TEST(EditorOnAFaultyLine, GarbledRepliesNeverHangTheEditorNorLeaveHalfAReadOrValuesOutOfRange) {
    TwoUnits line({"--garble", "0.03", "--seed", "11"});
    EditorSession& editor = *line.editor;
    // Reading the other unit changes most of the store, so a partly applied read would show.
    ASSERT_GT(DifferingFields(line.units.at(1), line.units.at(5)), 60);
    int goodReads = 0;
    for (int address : {1, 5, 1, 5}) {
        SCOPED_TRACE(testing::Message() << "reading address " << address);
        const ParameterStore before = editor.store();
        QElapsedTimer clock;
        clock.start();
        const QStringList texts = editor.ChooseAddress(address);
        EXPECT_LT(clock.elapsed(), 15000);
        if (texts == FailedRead(address)) {
            EXPECT_EQ(editor.store(), before);
            editor.Click("Command10");
            continue;
        }
        ++goodReads;
        EXPECT_EQ(texts, GoodRead(address));
        // A few flipped bits change a few values; the rest is the addressed unit's.
        EXPECT_LE(DifferingFields(editor.store(), line.units.at(address)), 12);
        ParameterStore clamped = editor.store();
        EXPECT_EQ(sonavel::ClampIntoRange(clamped), 0);
    }
    EXPECT_GE(goodReads, 1);
    // Still answering: switching band 2 off goes out to the unit last read.
    const int16_t off = editor.store().EqByPass(1, 2);
    QTest::mouseClick(editor.channel(1).offBoxes[1], Qt::LeftButton);
    editor.Pause(400);
    EXPECT_EQ(editor.store().EqByPass(1, 2), 1 - off);
    EXPECT_EQ(line.simulator.State().at(editor.window().editor().session().State().DeviceAddress).EqByPass(1, 2), 1 - off);
}

TEST(EditorOnAFaultyLine, ALineHungUpDuringUpdateEndsInErrorAndKeepsTheSettings) {
    SimulatorRun simulator({"--hangup-after", "1"});
    EditorSession editor(simulator.DevicePath());
    ASSERT_TRUE(editor.WaitFor([&] { return editor.window().editor().state().EditEnabled; }, 5000));
    // A setting made before the read must survive it.
    editor.ClickUpperArrow(editor.channel(1).gainArrows[1]);
    const ParameterStore before = editor.store();
    ASSERT_EQ(before.EqGain(1, 2), 23);

    // Connect and read at once, so the wake-up ping is the first frame and the line drops after it.
    editor.Click("Command12");
    EXPECT_EQ(editor.Update(), FailedRead(1));
    const std::vector<LoggedFrame> frames = simulator.Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].command, 11);
    EXPECT_EQ(editor.store(), before);
    EXPECT_EQ(editor.widgets().connect->text(), "DisConnect");
    EXPECT_EQ(editor.Colour("Label8"), kLampOff);
    EXPECT_EQ(editor.messages().size(), 1);
}

}  // namespace
}  // namespace e2e
