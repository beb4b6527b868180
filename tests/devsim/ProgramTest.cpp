// The simulator program's exit: stop signals end it cleanly, unwritable paths at once.
#include <signal.h>

#include <QProcess>
#include <filesystem>

#include <gtest/gtest.h>

namespace {

// The program started with these options; its first line is the device path it serves, empty
// when it ended before printing one.
struct Program {
    explicit Program(const QStringList& options) {
        process.start(DEVSIM_PROGRAM, options);
        process.waitForReadyRead(5000);
        firstLine = process.readLine().trimmed().toStdString();
    }
    int ExitStatus() {
        process.waitForFinished(5000);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QProcess process;
    std::string firstLine;
};

QString Scratch(const std::string& name) {
    return QString::fromStdString(
        (std::filesystem::temp_directory_path() / ("devsim-program-" + std::to_string(getpid()) + "-" + name)).string());
}

}  // namespace

TEST(SimulatorProgram, EveryStopSignalWritesTheStateRemovesTheLinkAndExitsZero) {
    const QString link = Scratch("link"), state = Scratch("state.json");
    for (int signal : {SIGHUP, SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        Program sim({"--link", link, "--state", state});
        ASSERT_FALSE(sim.firstLine.empty());
        std::filesystem::remove(state.toStdString());
        kill(pid_t(sim.process.processId()), signal);
        EXPECT_EQ(sim.ExitStatus(), 0);
        EXPECT_TRUE(std::filesystem::exists(state.toStdString()));
        EXPECT_FALSE(std::filesystem::is_symlink(link.toStdString()));
        std::filesystem::remove(state.toStdString());
    }
}

TEST(SimulatorProgram, APathItCannotWriteEndsItAtOnceWithStatusTwo) {
    for (const QStringList& args : {QStringList{"--state", "/nonexistent-folder/state.json"},
                                    {"--log", "/nonexistent-folder/log.json"},
                                    {"--link", "/nonexistent-folder/line"},
                                    {"--replug-after", "1"}}) {
        SCOPED_TRACE(args[0].toStdString());
        Program sim(args);
        EXPECT_EQ(sim.firstLine, "");
        EXPECT_EQ(sim.ExitStatus(), 2);
    }
}
