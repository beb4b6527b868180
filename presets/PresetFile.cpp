#include "presets/PresetFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "presets/FileDescriptors.h"

namespace sonavel {

namespace {

Status Failure(const std::string& path, const std::string& what) {
    return Status::Failure(path + ": " + what);
}

Status SystemFailure(const std::string& path, const std::string& action) {
    return Failure(path, action + ": " + std::strerror(errno));
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
    // Not blocking, so a named pipe is refused instead of waited on; a symbolic link is
    // followed only to a file that passes the checks below.
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        created = fd >= 0;
    }
    if (fd < 0) {
        if (errno == EISDIR) return Failure(path, "is a folder, not a preset file");
        return SystemFailure(path, "cannot open for writing");
    }
    FileHandle file(fd);
    const Outcome<off_t> length = RegularFileLength(fd, path);
    if (!length.ok()) return length.status();
    // Bytes that are not whole records are not a preset file's: never written over.
    if (length.value() % kPresetRecordSize != 0)
        return Failure(path, "is not a preset file: " + std::to_string(length.value()) +
                                 " bytes are not a whole number of 690-byte records");

    if (WriteAll(fd, record.bytes.data(), record.bytes.size(), length.value()) && ::fsync(fd) == 0 &&
        file.Close())
        return Status::Success();

    const Status failure = SystemFailure(path, "cannot write the preset record");
    if (created) {
        ::unlink(path.c_str());
        return failure;
    }
    FileHandle reopened(file.fd() >= 0 ? -1 : ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    const int undo = file.fd() >= 0 ? file.fd() : reopened.fd();
    if (undo < 0 || ::ftruncate(undo, length.value()) != 0)
        return Status::Failure(failure.error() + "; the file could not be put back as it was");
    return failure;
}

Status CreatePresetFile(const std::string& path, const std::vector<PresetRecord>& records) {
    struct stat existing{};
    if (::lstat(path.c_str(), &existing) == 0) return Failure(path, kNotOverwritten);
    std::string temporary;
    const int fd = CreateFileBeside(path, temporary);
    if (fd < 0) return SystemFailure(path, "cannot create a file beside it");
    FileHandle file(fd);
    bool written = true;
    for (size_t i = 0; i < records.size() && written; ++i)
        written = WriteAll(fd, records[i].bytes.data(), kPresetRecordSize,
                           static_cast<off_t>(i) * kPresetRecordSize);
    written = written && ::fsync(fd) == 0 && file.Close();
    if (!written) {
        const Status failure = SystemFailure(path, "cannot write the preset records");
        ::unlink(temporary.c_str());
        return failure;
    }
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) {
        const Status failure = errno == EEXIST ? Failure(path, kNotOverwritten) : SystemFailure(path, "cannot create");
        ::unlink(temporary.c_str());
        return failure;
    }
    return Status::Success();
}

}  // namespace sonavel
