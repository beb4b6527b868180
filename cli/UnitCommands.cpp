#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/LoadedPreset.h"
#include "cli/UnitLine.h"
#include "link/LinkState.h"
#include "link/Messages.h"
#include "presets/PresetFile.h"

namespace sonavel::cli {

namespace {

constexpr int kPresenceAttempts = 3;
// A verified read takes two reads that agree; after a mismatch it reads twice more.
constexpr int kVerifiedReadAttempts = 4;

const OptionKind kPort{"port", true, false};
const OptionKind kAddress{"address", true, true};
const OptionKind kSlot{"slot", true, false};
const OptionKind kName{"name", true, false};
const OptionKind kAppend{"append", false, false};
const OptionKind kVerify{"verify", false, false};
const OptionKind kKeepGoing{"keep-going", false, false};
const OptionKind kPerUnit{"per-unit", false, false};

std::vector<int> Addresses(const Arguments& args) {
    std::vector<int> addresses;
    for (const std::string& text : args.Values("address"))
        addresses.push_back(ParseNumber(text, 1, kMaxAddress, "--address"));
    if (addresses.empty()) throw UsageError("--address is required");
    return addresses;
}

std::string NumberList(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) text += (text.empty() ? "" : ", ") + std::to_string(n);
    return text;
}

std::string Units(const std::vector<int>& addresses) {
    return (addresses.size() == 1 ? "unit " : "units ") + NumberList(addresses);
}

// A unit the command could not finish, and why.
struct UnitFailure {
    int address;
    std::string reason;
};

// The outcome of a command over several units: 0 when all are done. Otherwise the failed
// units are named; when some units are done the status is 3, when none is a CliError.
int Finish(const std::vector<UnitFailure>& failures, const std::vector<int>& addresses, const UnitLine& line,
           const std::string& done) {
    if (failures.empty()) return kExitSuccess;
    std::vector<int> failed;
    bool sameReason = true;
    for (const UnitFailure& f : failures) {
        failed.push_back(f.address);
        sameReason = sameReason && f.reason == failures.front().reason;
    }
    if (!sameReason)
        for (const UnitFailure& f : failures) std::fprintf(stderr, "unit %d %s\n", f.address, f.reason.c_str());
    std::string message = Units(failed) + " " + (sameReason ? failures.front().reason : "failed") +
                          " on " + line.PortName();
    if (!line.LostReason().empty()) message += " (" + line.LostReason() + ")";
    if (failures.size() == addresses.size()) throw CliError(message);
    std::vector<int> succeeded;
    for (int address : addresses)
        if (std::find(failed.begin(), failed.end(), address) == failed.end()) succeeded.push_back(address);
    std::fprintf(stderr, "sonavel-cli: %s; %s %s %s\n", message.c_str(), Units(succeeded).c_str(),
                 succeeded.size() == 1 ? "was" : "were", done.c_str());
    return kExitSomeUnitsFailed;
}

void Progress(const std::vector<int>& addresses, size_t index, const std::string& action) {
    if (addresses.size() > 1)
        std::fprintf(stderr, "%s unit %d (%zu of %zu)\n", action.c_str(), addresses[index],
                     index + 1, addresses.size());
}

void RefuseExisting(const std::string& path) {
    struct stat info{};
    if (::stat(path.c_str(), &info) == 0)
        throw CliError(path + ": already exists; not overwritten (use --append to add records)");
}

// The unit's settings (or a slot's) as a record, or nullopt when no settings came.
std::optional<PresetRecord> ReadRecordOnce(UnitLine& line, int address, std::optional<int> slot) {
    ParameterStore store;
    InitDSPPremeter(store);
    if (!line.Read(address, slot, store)) return std::nullopt;
    PresetRecord record;
    StoreToRecord(store, record);
    return record;
}

// A read that is trusted only when two reads agree, since the line carries no checksum:
// reads until one gives the same settings as an earlier one, at most four times. A read
// that got no settings (after its own three requests) ends it.
std::optional<PresetRecord> ReadRecordVerified(UnitLine& line, int address, std::optional<int> slot,
                                               std::string& reason) {
    std::vector<PresetRecord> seen;
    for (int attempt = 0; attempt < kVerifiedReadAttempts; ++attempt) {
        const std::optional<PresetRecord> read = ReadRecordOnce(line, address, slot);
        if (!read) {
            reason = "did not answer";
            return std::nullopt;
        }
        for (const PresetRecord& earlier : seen)
            if (earlier == *read) return read;
        seen.push_back(*read);
    }
    reason = "gave different settings on every read";
    return std::nullopt;
}

std::string RecordName(const Arguments& args, int address, std::optional<int> slot) {
    std::string name = "Unit " + std::to_string(address);
    if (slot) name += " User" + std::string(*slot < 10 ? "0" : "") + std::to_string(*slot);
    return args.Value("name", name);
}

void WriteRecords(const std::string& out, bool append, const std::vector<PresetRecord>& records) {
    if (!append) {
        if (const Status created = CreatePresetFile(out, records); !created.ok())
            throw CliError(created.error());
        return;
    }
    for (const PresetRecord& record : records)
        if (const Status appended = AppendPresetRecord(out, record); !appended.ok())
            throw CliError(appended.error());
}

// Reads every addressed unit (its current settings, or a slot) into a preset file, one
// record per unit that answered, in the order of the addresses.
int ReadIntoFile(const Words& words, bool fromSlot) {
    std::vector<OptionKind> known{kPort, kAddress, kName, kAppend, kVerify};
    if (fromSlot) known.push_back(kSlot);
    const Arguments args(words, known, 1);
    const std::string port = args.Required("port");
    const std::vector<int> addresses = Addresses(args);
    std::optional<int> slot;
    if (fromSlot) slot = ParseNumber(args.Required("slot"), 1, kSlotCount, "--slot");
    const std::string& out = args.Positional(0);
    if (!args.Has("append")) RefuseExisting(out);

    UnitLine line(port);
    std::vector<PresetRecord> records;
    std::vector<UnitFailure> failures;
    for (size_t i = 0; i < addresses.size(); ++i) {
        Progress(addresses, i, "Reading");
        std::string reason = "did not answer";
        const std::optional<PresetRecord> read =
            args.Has("verify") ? ReadRecordVerified(line, addresses[i], slot, reason)
                               : ReadRecordOnce(line, addresses[i], slot);
        if (!read) {
            failures.push_back({addresses[i], reason});
            continue;
        }
        records.push_back(*read);
        records.back().SetPresetName(RecordName(args, addresses[i], slot));
    }
    if (!records.empty()) WriteRecords(out, args.Has("append"), records);
    return Finish(failures, addresses, line, "read into " + out);
}

// The stores to send, one per address: the same record for all, or record k for the k-th
// address with --per-unit.
std::vector<ParameterStore> StoresToSend(const Arguments& args, size_t units) {
    const std::string& file = args.Positional(0);
    if (!args.Has("per-unit")) return std::vector<ParameterStore>(units, LoadedPresetFile(file, RecordNumber(args)));
    if (args.Has("record")) throw UsageError("--per-unit and --record exclude each other");
    const Outcome<int> count = CountPresetRecords(file);
    if (!count.ok()) throw CliError(count.error());
    if (static_cast<size_t>(count.value()) < units)
        throw CliError(file + ": holds " + std::to_string(count.value()) + " record(s); --per-unit needs " +
                       std::to_string(units) + ", one for each --address");
    std::vector<ParameterStore> stores;
    for (size_t k = 1; k <= units; ++k) stores.push_back(LoadedPresetFile(file, static_cast<int>(k)));
    return stores;
}

// The first setting that differs between what was sent and what the unit holds, or empty.
std::string FirstDifference(const ParameterStore& sent, const ParameterStore& held) {
    PresetRecord a, b;
    StoreToRecord(sent, a);
    StoreToRecord(held, b);
    for (const RecordField& entry : PresetRecordFields())
        for (int i = 0; i < entry.field->Count(); ++i)
            if (a.Value(entry.offset + 2 * i) != b.Value(entry.offset + 2 * i))
                return ElementName(*entry.field, i) + " is " + std::to_string(b.Value(entry.offset + 2 * i)) +
                       ", sent " + std::to_string(a.Value(entry.offset + 2 * i));
    return {};
}

// Reads back what a unit (or its slot) holds after a write; empty when it matches.
std::string ReadBackDifference(UnitLine& line, int address, std::optional<int> slot, const ParameterStore& sent) {
    std::string reason;
    const std::optional<PresetRecord> held = ReadRecordVerified(line, address, slot, reason);
    if (!held) return "was written, but its read-back " + reason;
    ParameterStore store;
    InitDSPPremeter(store);
    if (const Status loaded = RecordToStore(*held, store); !loaded.ok()) return "read back unusable settings";
    const std::string difference = FirstDifference(sent, store);
    return difference.empty() ? "" : "holds other settings than were sent: " + difference;
}

// Sends a loaded preset file to every addressed unit that answers; without --keep-going
// it stops at the first unit that fails.
int SendToUnits(const Words& words, bool toSlot) {
    std::vector<OptionKind> known{kPort, kAddress, kRecordOption, kPerUnit, kKeepGoing, kVerify};
    if (toSlot) known.push_back(kSlot);
    const Arguments args(words, known, 1);
    const std::string port = args.Required("port");
    const std::vector<int> addresses = Addresses(args);
    const int slot = toSlot ? ParseNumber(args.Required("slot"), 1, kSlotCount, "--slot") : 0;
    std::vector<ParameterStore> stores = StoresToSend(args, addresses.size());

    UnitLine line(port);
    std::vector<UnitFailure> failures;
    for (size_t i = 0; i < addresses.size(); ++i) {
        if (!failures.empty() && !args.Has("keep-going")) {
            failures.push_back({addresses[i], "was not tried (use --keep-going to go on after a failure)"});
            continue;
        }
        Progress(addresses, i, "Writing");
        if (!line.Answers(addresses[i], kPresenceAttempts)) {
            failures.push_back({addresses[i], "did not answer"});
            continue;
        }
        if (toSlot)
            line.StoreToSlot(addresses[i], slot, stores[i]);
        else
            line.SendWholeSettings(addresses[i], stores[i]);
        if (!args.Has("verify")) continue;
        const std::optional<int> readSlot = toSlot ? std::optional<int>(slot) : std::nullopt;
        if (const std::string difference = ReadBackDifference(line, addresses[i], readSlot, stores[i]);
            !difference.empty())
            failures.push_back({addresses[i], difference});
    }
    return Finish(failures, addresses, line, "written");
}

}  // namespace

int ReadUnits(const Words& words) { return ReadIntoFile(words, false); }
int RecallUnits(const Words& words) { return ReadIntoFile(words, true); }
int WriteUnits(const Words& words) { return SendToUnits(words, false); }
int StoreUnits(const Words& words) { return SendToUnits(words, true); }

}  // namespace sonavel::cli
