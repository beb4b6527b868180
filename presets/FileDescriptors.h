#pragma once
// Small tools on POSIX file descriptors shared by the preset files and the whole-file
// reader and writer. Failures leave errno set for the caller's message.
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace sonavel {

// Closes the descriptor when it goes out of scope, unless Close() reported already.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();
    int fd() const { return fd_; }
    bool Close();

private:
    int fd_;
};

// Writes all bytes at the offset, retrying short writes; false on failure.
bool WriteAll(int fd, const uint8_t* data, size_t size, off_t offset);
// Reads exactly size bytes at the offset; false on failure or an early end (errno EIO).
bool ReadAll(int fd, uint8_t* data, size_t size, off_t offset);

// Creates a new empty file in the folder of `path` under a short hidden name, so that a
// file name of any allowed length has room for it, with mode 0666 less the umask, as any
// new file. Returns the descriptor (-1 on failure) and sets `name` to the file's path.
int CreateFileBeside(const std::string& path, std::string& name);

}  // namespace sonavel
