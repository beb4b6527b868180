// A line that is unplugged and plugged in again at the same path: the programs report the
// loss once and work again on the line that came back.
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "tests/support/PumpUntil.h"

namespace e2e {
namespace {

constexpr int kReplugSeconds = 1;

// A simulator whose line goes away at its first frame and comes back at `link` a second later.
struct ReplugLine {
    QTemporaryDir folder;
    QString link = folder.filePath("line");
    SimulatorRun simulator{{"--hangup-after", "1", "--replug-after", QString::number(kReplugSeconds), "--link", link}};
    bool Back(int timeoutMs) const {
        return sonavel::test::PumpUntil([this] { return std::filesystem::exists(link.toStdString()); }, timeoutMs);
    }
};

TEST(Replug, TheEditorSwitchesTheLinkOffOnceAndALaterConnectWorks) {
    ReplugLine line;
    EditorSession editor(line.link);
    editor.Connect();  // its first presence query is the frame the line goes away with
    const QPushButton* connect = editor.widgets().connect;
    EXPECT_TRUE(editor.WaitFor([&] { return connect->text() == "DisConnect"; }, 3000));
    EXPECT_EQ(editor.Colour("Label8"), kLampOff);
    EXPECT_EQ(editor.messages().size(), 1) << editor.messages().join("\n").toStdString();
    EXPECT_EQ(line.simulator.Frames().at(0).outcome, "lost at hang-up");

    ASSERT_TRUE(line.Back(3000 * kReplugSeconds));
    editor.Click("Command12");
    EXPECT_EQ(connect->text(), "Connect");
    EXPECT_TRUE(editor.LampTurns(kLampOn));
    editor.ClickUpperArrow(editor.channel(1).gainArrows[1]);
    editor.Pause(400);
    EXPECT_EQ(line.simulator.State().at(1).EqGain(1, 2), 23);
    EXPECT_EQ(editor.messages().size(), 1);
}

TEST(Replug, TheCommandLineToolReportsTheLostLineAndARerunSucceeds) {
    ReplugLine line;
    const QString out = line.folder.filePath("unit.bin");
    const auto read = [&] {
        QProcess cli;
        cli.start(SONAVEL_CLI_PROGRAM, {"read", "--port", line.link, "--address", "1", out});
        cli.waitForFinished(10000);
        return std::make_pair(cli.exitCode(), QString::fromUtf8(cli.readAllStandardError()));
    };
    const auto [lostStatus, lostError] = read();
    EXPECT_NE(lostStatus, 0);
    EXPECT_TRUE(lostError.startsWith("Recall UnitID: 1...") && lostError.contains("sonavel-cli: ") &&
                lostError.contains(line.link)) << lostError.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    ASSERT_TRUE(line.Back(3000 * kReplugSeconds));
    const auto [status, error] = read();
    EXPECT_EQ(status, 0) << error.toStdString();
    EXPECT_EQ(QFile(out).size(), 690);
}

}  // namespace
}  // namespace e2e
