#include "presets/FileDescriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace sonavel {

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileHandle::Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
}

bool WriteAll(int fd, const uint8_t* data, size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, size, offset);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
        offset += written;
    }
    return true;
}

bool ReadAll(int fd, uint8_t* data, size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t got = ::pread(fd, data, size, offset);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) {
            errno = EIO;
            return false;
        }
        data += got;
        size -= static_cast<size_t>(got);
        offset += got;
    }
    return true;
}

int CreateFileBeside(const std::string& path, std::string& name) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    static std::mt19937 random{std::random_device{}()};
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        name = folder + ".sonavel-" + std::to_string(random() % 1000000000);
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace sonavel
