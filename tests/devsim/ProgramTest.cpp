// The simulator program's exit: stop signals end it cleanly, unwritable paths at once.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Started {
    pid_t pid = -1;
    std::string firstLine;  // the device path, or empty when it ended before printing it
};

Started Start(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> all = {DEVSIM_PROGRAM};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    Started started;
    posix_spawn(&started.pid, DEVSIM_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    for (char c; read(out[0], &c, 1) == 1 && c != '\n';) started.firstLine += c;
    close(out[0]);
    return started;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string Scratch(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("devsim-program-" + std::to_string(getpid()) + "-" + name)).string();
}

}  // namespace

TEST(SimulatorProgram, EveryStopSignalWritesTheStateRemovesTheLinkAndExitsZero) {
    for (int signal : {SIGHUP, SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        const std::string link = Scratch("link"), state = Scratch("state.json");
        const Started sim = Start({"--link", link, "--state", state});
        ASSERT_FALSE(sim.firstLine.empty());
        std::filesystem::remove(state);
        kill(sim.pid, signal);
        EXPECT_EQ(ExitStatus(sim.pid), 0);
        EXPECT_TRUE(std::filesystem::exists(state));
        EXPECT_FALSE(std::filesystem::is_symlink(link));
        std::filesystem::remove(state);
    }
}

TEST(SimulatorProgram, APathItCannotWriteEndsItAtOnceWithStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"--state", "/nonexistent-folder/state.json"},
        {"--log", "/nonexistent-folder/log.json"},
        {"--link", "/nonexistent-folder/line"},
        {"--replug-after", "1"},
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args[0]);
        const Started sim = Start(args);
        EXPECT_EQ(sim.firstLine, "");
        EXPECT_EQ(ExitStatus(sim.pid), 2);
    }
}
