// Arbitrary bytes as a preset file: shorter ones are refused as files; a whole record is
// either refused with the store untouched or lands within range, and survives a save and load.
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "fuzz/FuzzCheck.h"
#include "model/Windows1252.h"
#include "presets/PresetFile.h"

using namespace sonavel;
using namespace sonavel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const int fd = ::memfd_create("preset", 0); fd >= 0) {  // through the path, as the editor and tool read
        Check(::write(fd, data, size) == static_cast<ssize_t>(size) || size == 0);
        const Outcome<PresetRecord> read = ReadPresetRecord("/proc/self/fd/" + std::to_string(fd));
        Check(read.ok() == (size >= kPresetRecordSize));
        if (read.ok()) Check(std::memcmp(read.value().bytes.data(), data, kPresetRecordSize) == 0);
        ::close(fd);
    }
    if (size < kPresetRecordSize) return 0;

    PresetRecord record;
    std::memcpy(record.bytes.data(), data, kPresetRecordSize);
    ParameterStore store = Defaults(), reloaded = Defaults();
    if (!RecordToStore(record, store).ok()) {
        Check(store == Defaults());
        return 0;
    }
    CheckInRange(store);
    PresetRecord saved = record;
    StoreToRecord(store, saved);
    Check(RecordToStore(saved, reloaded).ok() && reloaded == store);

    const std::string name(record.bytes.begin() + kPresetNameOffset,
                           record.bytes.begin() + kPresetNameOffset + kPresetNameLength);
    Check(EncodeWindows1252(DecodeWindows1252(name), kPresetNameLength) == name);
    return 0;
}
