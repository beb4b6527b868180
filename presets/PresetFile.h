#pragma once
// Preset files: a sequence of 690-byte records without header or trailer, record n
// (counted from 1) at bytes (n - 1) * 690 .. n * 690 - 1. Every failure comes back as a
// message naming the file; nothing throws and nothing is reported as success that failed.
#include <string>
#include <vector>

#include "presets/Outcome.h"
#include "presets/PresetRecord.h"

namespace sonavel {

// The number of whole records: the integer quotient of the file length and 690.
Outcome<int> CountPresetRecords(const std::string& path);

// Reads record n (from 1); fails for a missing, unreadable or too short file or a folder.
Outcome<PresetRecord> ReadPresetRecord(const std::string& path, int recordNumber = 1);

// The save rule: writes the record after the last one, creating the file (mode 0666 less
// the umask) when it does not exist. Only a regular file of whole 690-byte records takes
// it, also through a symbolic link; any other file is refused unchanged. The existing
// records are never changed; when the write fails (no permission, disk full, file size
// limit) the file is put back as it was and the failure returned.
Status AppendPresetRecord(const std::string& path, const PresetRecord& record);

// The failure of CreatePresetFile for a name that is taken: "<path>: already exists; ...".
constexpr const char* kNotOverwritten = "already exists; not overwritten";

// Writes a new file of these records, refusing to replace an existing one. The records go
// to a temporary file in the same folder that is moved into place only once it is
// complete, so no half-written file is ever left under the name.
Status CreatePresetFile(const std::string& path, const std::vector<PresetRecord>& records);

}  // namespace sonavel
