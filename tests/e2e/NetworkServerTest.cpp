// The editor on units behind ser2net, the network serial server: the same frames and reads as
// on a local port, and the faults of a network line (the server stopping, a refused and an
// unanswered connection).
#include <QElapsedTimer>
#include <QPushButton>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "UnitSettings.h"
#include "tests/support/LoopbackPorts.h"
#include "tests/support/Ser2net.h"

namespace e2e {
namespace {

using sonavel::test::Ser2net;

constexpr int kEditSettleMs = 400;

struct EditorBehindANetworkServer : testing::Test {
    void SetUp() override {
        if (const std::string why = Ser2net::Missing(); !why.empty()) GTEST_SKIP() << why;
    }
};

QString LinkCaption(EditorSession& editor) { return editor.widgets().connect->text(); }

TEST_F(EditorBehindANetworkServer, EditorOverRfc2217SendsEditsAsTheirFramesAndReadsTheUnit) {
    SimulatorRun simulator({"--units", "1"});
    simulator.Seed(1, UnitSettings(1));
    Ser2net server(simulator.DevicePath().toStdString());
    EditorSession editor(QString::fromStdString(server.Rfc2217Port()));
    editor.Connect();
    EXPECT_TRUE(editor.LampTurns(kLampOn));

    const size_t before = simulator.Frames().size();
    editor.ClickUpperArrow(editor.channel(1).gainArrows[2]);
    editor.Pause(kEditSettleMs);
    EXPECT_EQ(simulator.BytesOf(4, before), std::vector<QString>{"01 20 03 40 11 04 01 03 01 0A 00 17 23 00 01 05 60"});

    EXPECT_EQ(editor.Update(), GoodRead(1));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(simulator.State().at(1)));
    EXPECT_TRUE(editor.messages().isEmpty()) << editor.messages().join("|").toStdString();
}

TEST_F(EditorBehindANetworkServer, ServerStoppedMidSessionSwitchesTheLinkOffOnceAndALaterConnectWorks) {
    SimulatorRun simulator({"--units", "1"});
    Ser2net server(simulator.DevicePath().toStdString());
    const QString port = QString::fromStdString(server.Rfc2217Port());
    EditorSession editor(port);
    editor.Connect();
    EXPECT_TRUE(editor.LampTurns(kLampOn));

    server.Stop();
    EXPECT_TRUE(editor.WaitFor([&] { return !editor.messages().isEmpty(); }, 3000));
    editor.Pause(300);
    EXPECT_EQ(editor.messages(), QStringList{"Connect: " + port + ": the server closed the connection\nThe link is switched off."});
    EXPECT_EQ(LinkCaption(editor), "DisConnect");
    EXPECT_EQ(editor.Colour("Label8"), kLampOff);

    // The window goes on taking edits while the line is away.
    editor.ClickUpperArrow(editor.channel(1).gainArrows[2]);
    EXPECT_EQ(editor.store().EqGain(1, 3), 23);

    server.Start();
    editor.Click("Command12");
    EXPECT_EQ(LinkCaption(editor), "Connect");
    EXPECT_EQ(editor.Update(), GoodRead(1));
    EXPECT_EQ(editor.messages().size(), 1);
}

TEST_F(EditorBehindANetworkServer, ConnectionsThatCannotBeMadeAreReportedOnceWithoutHangingTheWindow) {
    sonavel::test::UnansweredPort unanswered;
    struct Case {
        std::string port;
        std::string reason;
        int atLeastMs, atMostMs;
    };
    for (const Case& c : {Case{"tcp://127.0.0.1:" + std::to_string(sonavel::test::FreeLoopbackPort()),
                               "the connection was refused", 0, 1000},
                          Case{"rfc2217://127.0.0.1:" + std::to_string(unanswered.Port()), "no answer within 3 s", 2900, 4500}}) {
        SCOPED_TRACE(c.port);
        EditorSession editor(QString::fromStdString(c.port));
        ASSERT_TRUE(editor.WaitFor([&] { return editor.window().editor().state().EditEnabled; }, 5000));
        QElapsedTimer clock;
        clock.start();
        editor.Click("Command12");
        const qint64 elapsed = clock.elapsed();
        EXPECT_GE(elapsed, c.atLeastMs);
        EXPECT_LE(elapsed, c.atMostMs);
        EXPECT_EQ(editor.messages(),
                  QStringList{QString::fromStdString("Connect: COM1 could not be opened:\n" + c.port + ": " + c.reason)});
        EXPECT_EQ(LinkCaption(editor), "DisConnect");
    }
}

}  // namespace
}  // namespace e2e
