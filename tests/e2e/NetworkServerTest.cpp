// The editor on a unit behind ser2net, the network serial server: edits and reads as on a local
// port, the server stopping mid-session, a Connect it refuses, and the server back again.
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "tests/support/Ser2net.h"

namespace e2e {
namespace {

using sonavel::test::Ser2net;

TEST(EditorBehindANetworkServer, EditsAndReadsOverRfc2217AndALostServerSwitchesTheLinkOffOnce) {
    if (const std::string why = Ser2net::Missing(); !why.empty()) GTEST_SKIP() << why;
    SimulatorRun simulator;
    simulator.Seed(1, UnitSettings(1));
    Ser2net server(simulator.DevicePath().toStdString());
    const QString port = QString::fromStdString(server.Rfc2217Port());
    EditorSession editor(port);
    editor.Connect();
    EXPECT_TRUE(editor.LampTurns(kLampOn));
    editor.ClickUpperArrow(editor.channel(1).gainArrows[2]);
    editor.Pause(kEditSettleMs);
    const UnitStates units = simulator.State();
    EXPECT_EQ(units.at(1).EqGain(1, 3), 23);
    EXPECT_EQ(editor.Update(), GoodRead(1));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(units.at(1)));

    server.Stop();
    EXPECT_TRUE(editor.WaitFor([&] { return !editor.messages().isEmpty(); }, 3000));
    editor.Pause(300);
    EXPECT_EQ(editor.LinkCaption(), "DisConnect");
    EXPECT_EQ(editor.Lamp(), kLampOff);
    // The window goes on taking edits while the line is away, and a Connect meanwhile is refused at once.
    editor.ClickUpperArrow(editor.channel(1).gainArrows[2]);
    EXPECT_EQ(editor.store().EqGain(1, 3), 22);
    QElapsedTimer clock;
    clock.start();
    editor.Click(editor.widgets().connect);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(editor.LinkCaption(), "DisConnect");
    EXPECT_EQ(editor.messages(), (QStringList{"Connect: " + port + ": the server closed the connection\nThe link is switched off.",
                                              "Connect: COM1 could not be opened:\n" + port + ": the connection was refused"}));

    server.Start();
    editor.Click(editor.widgets().connect);
    EXPECT_EQ(editor.LinkCaption(), "Connect");
    EXPECT_EQ(editor.Update(), GoodRead(1));
    EXPECT_EQ(editor.messages().size(), 2);
}

}  // namespace
}  // namespace e2e
