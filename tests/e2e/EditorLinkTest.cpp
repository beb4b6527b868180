// The editor against simulated units: Connect, an arrow click as the unit receives it, "Update"
// and the address choice reading three units on one line apart.
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "UnitSettings.h"

namespace e2e {
namespace {

using sonavel::ParameterStore;

// A single edit pauses 128 ms; the simulator logs what it receives at once.
constexpr int kEditSettleMs = 400;

TEST(EditorWithSimulator, ConnectLightsTheLampAndEditsAndReadsTellThreeUnitsOnOneLineApart) {
    SimulatorRun simulator({"--units", "1,5,7"});
    simulator.Seed(1, UnitSettings(1));
    simulator.Seed(5, UnitSettings(2));
    simulator.Seed(7, UnitSettings(3));
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
    EXPECT_EQ(editor.Update(), GoodRead(1));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(units.at(1)));
    ExpectControlsShow(editor.window(), units.at(1));
    for (int address : {5, 7}) {
        SCOPED_TRACE(testing::Message() << "address " << address);
        EXPECT_EQ(editor.ChooseAddress(address), GoodRead(address));
        EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(units.at(address)));
        ExpectControlsShow(editor.window(), units.at(address));
    }
    // Reading sends only presence queries and settings requests: the refreshes that put the
    // settings into the controls keep their messages back.
    for (const LoggedFrame& frame : simulator.Frames(edits))
        EXPECT_TRUE(frame.command == 11 || frame.command == 12) << frame.bytes.toStdString();

    // An edit now reaches unit 7 only.
    const int gain = editor.store().EqGain(2, 1);
    ASSERT_GT(gain, 0);
    editor.ClickUpperArrow(editor.channel(2).gainArrows[0]);
    editor.Pause(kEditSettleMs);
    const UnitStates after = simulator.State();
    EXPECT_EQ(after.at(7).EqGain(2, 1), gain - 1);
    EXPECT_EQ(after.at(1), units.at(1));
    EXPECT_EQ(after.at(5), units.at(5));
}

}  // namespace
}  // namespace e2e
