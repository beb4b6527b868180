#include "SimulatorProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace devsim_test {

namespace {

using Clock = std::chrono::steady_clock;

pid_t Spawn(const std::vector<std::string>& args, int outFd, int errFd) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (outFd >= 0) dup2(outFd, STDOUT_FILENO);
        if (errFd >= 0) dup2(errFd, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(DEVSIM_PROGRAM)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(DEVSIM_PROGRAM, argv.data());
        _exit(127);
    }
    if (pid < 0) throw std::runtime_error("fork failed");
    return pid;
}

std::string ReadAll(int fd) {
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    return text;
}

}  // namespace

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe failed");
    pid_ = Spawn(args, out[1], -1);
    close(out[1]);
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    close(out[0]);
    if (path_.empty()) throw std::runtime_error("the simulator printed no device path");
}

SimulatorProcess::~SimulatorProcess() {
    if (pid_ > 0 && WaitExit(0) == -1) {
        Signal(SIGKILL);
        WaitExit(2000);
    }
}

void SimulatorProcess::Signal(int signal) const { kill(pid_, signal); }

int SimulatorProcess::WaitExit(int timeoutMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (Clock::now() < end);
    return -1;
}

std::pair<int, std::string> RunToEnd(const std::vector<std::string>& args) {
    int err[2];
    if (pipe(err) != 0) throw std::runtime_error("pipe failed");
    const int devNull = open("/dev/null", O_WRONLY);
    const pid_t pid = Spawn(args, devNull, err[1]);
    close(err[1]);
    close(devNull);
    const std::string text = ReadAll(err[0]);
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

LineEnd::LineEnd(const std::string& path) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) throw std::runtime_error("cannot open " + path);
    termios t{};
    tcgetattr(fd_, &t);
    cfmakeraw(&t);
    tcsetattr(fd_, TCSANOW, &t);
}

LineEnd::~LineEnd() { close(fd_); }

void LineEnd::Write(const sonavel::Bytes& bytes) const {
    if (write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("write to the line failed");
}

sonavel::Bytes LineEnd::Read(size_t count, int timeoutMs) {
    sonavel::Bytes got;
    arrivals_ = 0;
    Clock::time_point first{}, last{};
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count) {
        const int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count());
        if (left <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, left) <= 0 || !(p.revents & POLLIN)) break;
        uint8_t buffer[512];
        const ssize_t n = read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n <= 0) break;
        last = Clock::now();
        if (arrivals_++ == 0) first = last;
        got.insert(got.end(), buffer, buffer + n);
    }
    spreadMs_ = std::chrono::duration<double, std::milli>(last - first).count();
    return got;
}

bool LineEnd::HungUp(int timeoutMs) const {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    if (p.revents & POLLHUP) return true;
    uint8_t byte;
    return read(fd_, &byte, 1) < 0 && errno == EIO;
}

}  // namespace devsim_test
