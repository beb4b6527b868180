// The simulator program's exit: stop signals end it cleanly, unwritable paths at once.
#include <signal.h>

#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

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

}  // namespace

TEST(SimulatorProgram, EveryStopSignalWritesTheStateRemovesTheLinkAndExitsZero) {
    const QTemporaryDir dir;
    const QString link = dir.filePath("link"), state = dir.filePath("state.json");
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

// A link never replaces a plain file.
TEST(SimulatorProgram, APathItCannotWriteEndsItAtOnceWithStatusTwo) {
    const QTemporaryDir dir;
    std::ofstream(dir.filePath("plain").toStdString()) << "keep me";
    for (const QStringList& args : {QStringList{"--state", "/nonexistent-folder/state.json"},
                                    {"--log", "/nonexistent-folder/log.json"},
                                    {"--link", "/nonexistent-folder/line"},
                                    {"--link", dir.filePath("plain")},
                                    {"--replug-after", "1"}}) {
        SCOPED_TRACE(args[0].toStdString());
        Program sim(args);
        EXPECT_EQ(sim.firstLine, "");
        EXPECT_EQ(sim.ExitStatus(), 2);
        EXPECT_TRUE(sim.process.readAllStandardError().contains(args[0].toUtf8()));
    }
    std::stringstream kept;
    kept << std::ifstream(dir.filePath("plain").toStdString()).rdbuf();
    EXPECT_EQ(kept.str(), "keep me");
}
