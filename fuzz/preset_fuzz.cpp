// Loads arbitrary bytes as a preset file: shorter inputs must be refused as files, whole
// records must either be refused with the store untouched or land entirely within range,
// and a loaded store must survive being saved and loaded again unchanged.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "model/StoreFields.h"
#include "presets/PresetFile.h"
#include "model/Windows1252.h"
#include "fuzz/FuzzCheck.h"

using namespace sonavel;
using sonavel::fuzz::Check;

namespace {

// Reads the input through the file path, as the editor and the tool do.
void LoadAsFile(const uint8_t* data, size_t size) {
    const int fd = ::memfd_create("preset", 0);
    if (fd < 0) return;
    Check(::write(fd, data, size) == static_cast<ssize_t>(size) || size == 0);
    const Outcome<PresetRecord> read = ReadPresetRecord("/proc/self/fd/" + std::to_string(fd));
    Check(read.ok() == (size >= kPresetRecordSize));
    if (read.ok()) Check(std::memcmp(read.value().bytes.data(), data, kPresetRecordSize) == 0);
    ::close(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LoadAsFile(data, size);
    if (size < kPresetRecordSize) return 0;

    PresetRecord record;
    std::memcpy(record.bytes.data(), data, kPresetRecordSize);
    ParameterStore store;
    InitDSPPremeter(store);
    const ParameterStore before = store;
    if (!RecordToStore(record, store).ok()) {
        Check(store == before);
        return 0;
    }
    for (const StoreField& field : StoreFields())
        for (int i = 0; i < field.Count(); ++i) {
            const int value = ReadStoreField(store, field, i);
            Check(value >= field.min && value <= field.max);
        }

    PresetRecord saved = record;
    StoreToRecord(store, saved);
    ParameterStore reloaded = before;
    Check(RecordToStore(saved, reloaded).ok());
    Check(reloaded == store);

    const std::string name(record.bytes.begin() + kPresetNameOffset,
                           record.bytes.begin() + kPresetNameOffset + kPresetNameLength);
    Check(EncodeWindows1252(DecodeWindows1252(name), kPresetNameLength) == name);
    return 0;
}
