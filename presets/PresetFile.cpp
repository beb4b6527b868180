#include "presets/PresetFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace sonavel {

namespace {

Status Failure(const std::string& path, const std::string& what) {
    return Status::Failure(path + ": " + what);
}

Status SystemFailure(const std::string& path, const std::string& action) {
    return Failure(path, action + ": " + std::strerror(errno));
}

// Closes the descriptor when it goes out of scope, unless Close() reported already.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }
    bool Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

// Writes all bytes at the offset, retrying short writes; false with errno on failure.
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

// The length of an open regular file, or a failure for a folder or other special file.
Outcome<off_t> RegularFileLength(int fd, const std::string& path) {
    struct stat info{};
    if (::fstat(fd, &info) != 0) return SystemFailure(path, "cannot examine the file");
    if (S_ISDIR(info.st_mode)) return Failure(path, "is a folder, not a preset file");
    if (!S_ISREG(info.st_mode)) return Failure(path, "is not a regular file");
    return info.st_size;
}

Outcome<int> OpenForReading(const std::string& path) {
    // Not blocking: a named pipe given by mistake must be refused, not waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return Failure(path, "no such file");
        return SystemFailure(path, "cannot open");
    }
    return fd;
}

}  // namespace

Outcome<int> CountPresetRecords(const std::string& path) {
    const Outcome<int> opened = OpenForReading(path);
    if (!opened.ok()) return opened.status();
    FileHandle file(opened.value());
    const Outcome<off_t> length = RegularFileLength(file.fd(), path);
    if (!length.ok()) return length.status();
    return static_cast<int>(length.value() / kPresetRecordSize);
}

Outcome<PresetRecord> ReadPresetRecord(const std::string& path, int recordNumber) {
    if (recordNumber < 1) return Failure(path, "record numbers start at 1");
    const Outcome<int> opened = OpenForReading(path);
    if (!opened.ok()) return opened.status();
    FileHandle file(opened.value());
    const Outcome<off_t> length = RegularFileLength(file.fd(), path);
    if (!length.ok()) return length.status();
    const off_t records = length.value() / kPresetRecordSize;
    if (records == 0)
        return Failure(path, std::to_string(length.value()) +
                                 " bytes, shorter than one preset record (690 bytes)");
    if (recordNumber > records)
        return Failure(path, "holds " + std::to_string(records) + " record(s), no record " +
                                 std::to_string(recordNumber));
    PresetRecord record;
    const off_t offset = static_cast<off_t>(recordNumber - 1) * kPresetRecordSize;
    if (!ReadAll(file.fd(), record.bytes.data(), record.bytes.size(), offset))
        return SystemFailure(path, "cannot read");
    return record;
}

Status AppendPresetRecord(const std::string& path, const PresetRecord& record) {
    bool created = false;
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        created = fd >= 0;
    }
    if (fd < 0) {
        if (errno == EISDIR) return Failure(path, "is a folder, not a preset file");
        return SystemFailure(path, "cannot open for writing");
    }
    FileHandle file(fd);
    const Outcome<off_t> length = RegularFileLength(fd, path);
    if (!length.ok()) return length.status();

    // A partial record at the end is overwritten by the new one, as record access does;
    // keep it so that a failed write can put the file back exactly.
    const off_t offset = length.value() / kPresetRecordSize * kPresetRecordSize;
    std::vector<uint8_t> tail(static_cast<size_t>(length.value() - offset));
    if (!tail.empty() && !ReadAll(fd, tail.data(), tail.size(), offset))
        return SystemFailure(path, "cannot read");

    if (WriteAll(fd, record.bytes.data(), record.bytes.size(), offset) && ::fsync(fd) == 0 &&
        file.Close())
        return Status::Success();

    const Status failure = SystemFailure(path, "cannot write the preset record");
    const int restore = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (restore >= 0) {
        FileHandle undo(restore);
        if (::ftruncate(restore, length.value()) == 0 && !tail.empty())
            WriteAll(restore, tail.data(), tail.size(), offset);
    }
    if (created) ::unlink(path.c_str());
    return failure;
}

Status CreatePresetFile(const std::string& path, const std::vector<PresetRecord>& records) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    // npos + 1 is 0: a bare file name is its own base name.
    std::string temporary = (slash == std::string::npos ? "./." : folder + ".") +
                            path.substr(slash + 1) + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return SystemFailure(path, "cannot create a file in " + folder);
    FileHandle file(fd);
    bool written = true;
    for (size_t i = 0; i < records.size() && written; ++i)
        written = WriteAll(fd, records[i].bytes.data(), kPresetRecordSize,
                           static_cast<off_t>(i) * kPresetRecordSize);
    written = written && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0 && file.Close();
    if (!written) {
        const Status failure = SystemFailure(path, "cannot write the preset records");
        ::unlink(temporary.c_str());
        return failure;
    }
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) {
        const Status failure = errno == EEXIST
                                   ? Failure(path, "already exists; not overwritten")
                                   : SystemFailure(path, "cannot create");
        ::unlink(temporary.c_str());
        return failure;
    }
    return Status::Success();
}

}  // namespace sonavel
