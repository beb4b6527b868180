#include "presets/WholeFile.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "presets/FileDescriptors.h"

namespace sonavel {

namespace {

constexpr const char* kStandardInput = "standard input";

Status SystemFailure(const std::string& name, const std::string& action) {
    return Status::Failure(name + ": " + action + ": " + std::strerror(errno));
}

std::string TooLarge(const std::string& name, size_t maxBytes) {
    return name + ": larger than " + std::to_string(maxBytes) + " bytes, the most an input may hold";
}

// Reads up to maxBytes + 1 bytes, so that an input that is too large shows as such.
Outcome<std::string> ReadUpTo(int fd, const std::string& name, size_t maxBytes) {
    std::string data;
    char buffer[65536];
    while (data.size() <= maxBytes) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, maxBytes + 1 - data.size()));
        if (got == 0) return data;
        if (got > 0) {
            data.append(buffer, static_cast<size_t>(got));
        } else if (errno == EAGAIN) {
            pollfd ready{fd, POLLIN, 0};  // standard input left non-blocking by the caller's shell
            ::poll(&ready, 1, -1);
        } else if (errno != EINTR) {
            return SystemFailure(name, "cannot read");
        }
    }
    return Status::Failure(TooLarge(name, maxBytes));
}

Status WriteToStandardOutput(std::string_view data) {
    if (std::fwrite(data.data(), 1, data.size(), stdout) != data.size() || std::fflush(stdout) != 0)
        return SystemFailure("standard output", "cannot write");
    return Status::Success();
}

}  // namespace

Outcome<std::string> ReadTextInput(const std::string& path, size_t maxBytes) {
    if (path == "-") return ReadUpTo(STDIN_FILENO, kStandardInput, maxBytes);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return SystemFailure(path, "cannot open");
    FileHandle file(fd);
    struct stat info{};
    if (::fstat(fd, &info) != 0) return SystemFailure(path, "cannot examine the file");
    if (S_ISDIR(info.st_mode)) return Status::Failure(path + ": is a folder");
    if (!S_ISREG(info.st_mode)) return Status::Failure(path + ": is not a regular file");
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) return Status::Failure(TooLarge(path, maxBytes));
    return ReadUpTo(fd, path, maxBytes);
}

Status WriteWholeOutput(const std::string& path, std::string_view data) {
    if (path == "-") return WriteToStandardOutput(data);
    std::string temporary;
    const int fd = CreateFileBeside(path, temporary);
    if (fd < 0) return SystemFailure(path, "cannot create a file beside it");
    FileHandle file(fd);
    struct stat replaced{};
    const bool keepMode = ::stat(path.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    const bool written = WriteAll(fd, reinterpret_cast<const uint8_t*>(data.data()), data.size(), 0) &&
                         (!keepMode || ::fchmod(fd, replaced.st_mode & 07777) == 0) && ::fsync(fd) == 0 &&
                         file.Close() && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (written) return Status::Success();
    const Status failure = SystemFailure(path, "cannot write");
    ::unlink(temporary.c_str());
    return failure;
}

}  // namespace sonavel
