#include "devsim/PseudoTerminal.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <climits>
#include <stdexcept>
#include <system_error>

#include "devsim/Options.h"

namespace sonavel::devsim {

namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void SetLineSettings(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) ThrowErrno("reading the line settings");
    cfmakeraw(&settings);
    settings.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    if (tcsetattr(fd, TCSANOW, &settings) != 0) ThrowErrno("setting the line to 9600 8N1 raw");
}

std::string ReadSymlink(const std::string& path) {
    char buffer[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), buffer, sizeof buffer);
    return length < 0 ? std::string() : std::string(buffer, static_cast<size_t>(length));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    int slave = -1;
    char name[PATH_MAX];
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) ThrowErrno("opening a pseudo-terminal");
    slavePath_ = name;
    try {
        SetLineSettings(slave);
        const int flags = fcntl(master_, F_GETFL);
        if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0)
            ThrowErrno("making the line non-blocking");
    } catch (...) {
        close(slave);
        HangUp();
        throw;
    }
    close(slave);
}

PseudoTerminal::~PseudoTerminal() { HangUp(); }

void PseudoTerminal::HangUp() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

DeviceLink::DeviceLink(std::string path, std::string target)
    : path_(std::move(path)), target_(std::move(target)) {
    struct stat info {};
    if (lstat(path_.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode))
            throw OptionError("--link: " + path_ + " exists and is not a symlink");
        if (unlink(path_.c_str()) != 0)
            throw OptionError("--link: cannot remove the old symlink " + path_ + ": " + std::strerror(errno));
    }
    if (symlink(target_.c_str(), path_.c_str()) != 0)
        throw OptionError("--link: cannot create " + path_ + ": " + std::strerror(errno));
}

DeviceLink::~DeviceLink() {
    if (ReadSymlink(path_) == target_) unlink(path_.c_str());
}

}  // namespace sonavel::devsim
