#include <sys/stat.h>

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

const OptionKind kPort{"port", true, false};
const OptionKind kAddress{"address", true, true};
const OptionKind kSlot{"slot", true, false};
const OptionKind kName{"name", true, false};
const OptionKind kAppend{"append", false, false};

std::string Required(const Arguments& args, const std::string& option) {
    if (!args.Has(option)) throw CliError("--" + option + " is required");
    return args.Value(option);
}

std::vector<int> Addresses(const Arguments& args) {
    std::vector<int> addresses;
    for (const std::string& text : args.Values("address"))
        addresses.push_back(ParseNumber(text, 1, kMaxAddress, "--address"));
    if (addresses.empty()) throw CliError("--address is required");
    return addresses;
}

std::string NumberList(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers) text += (text.empty() ? "" : ", ") + std::to_string(n);
    return text;
}

// A failure on the line, with the reason when the line itself went away.
CliError LineFailure(std::string message, const UnitLine& line) {
    if (!line.LostReason().empty()) message += " (" + line.LostReason() + ")";
    return CliError(message);
}

CliError Silent(const std::vector<int>& addresses, const UnitLine& line) {
    return LineFailure((addresses.size() == 1 ? "unit " : "units ") + NumberList(addresses) +
                           " did not answer on " + line.PortName(),
                       line);
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

// Reads every addressed unit (its current settings, or a slot) into a preset file.
void ReadIntoFile(const Words& words, bool fromSlot) {
    std::vector<OptionKind> known{kPort, kAddress, kName, kAppend};
    if (fromSlot) known.push_back(kSlot);
    const Arguments args(words, known, 1);
    const std::string port = Required(args, "port");
    const std::vector<int> addresses = Addresses(args);
    std::optional<int> slot;
    if (fromSlot) slot = ParseNumber(Required(args, "slot"), 1, kSlotCount, "--slot");
    const std::string& out = args.Positional(0);
    if (!args.Has("append")) RefuseExisting(out);

    UnitLine line(port);
    std::vector<PresetRecord> records;
    std::vector<int> silent;
    for (size_t i = 0; i < addresses.size(); ++i) {
        Progress(addresses, i, "Reading");
        ParameterStore store;
        InitDSPPremeter(store);
        if (!line.Read(addresses[i], slot, store)) {
            silent.push_back(addresses[i]);
            continue;
        }
        std::string name = "Unit " + std::to_string(addresses[i]);
        if (slot) name += " User" + std::string(*slot < 10 ? "0" : "") + std::to_string(*slot);
        PresetRecord record;
        record.SetPresetName(args.Value("name", name));
        StoreToRecord(store, record);
        records.push_back(record);
    }
    if (!silent.empty()) throw Silent(silent, line);

    if (!args.Has("append")) {
        if (const Status created = CreatePresetFile(out, records); !created.ok())
            throw CliError(created.error());
        return;
    }
    for (const PresetRecord& record : records)
        if (const Status appended = AppendPresetRecord(out, record); !appended.ok())
            throw CliError(appended.error());
}

// Sends a loaded preset file to every addressed unit that answers.
void SendToUnits(const Words& words, bool toSlot) {
    std::vector<OptionKind> known{kPort, kAddress};
    if (toSlot) known.push_back(kSlot);
    const Arguments args(words, known, 1);
    const std::string port = Required(args, "port");
    const std::vector<int> addresses = Addresses(args);
    const int slot = toSlot ? ParseNumber(Required(args, "slot"), 1, kSlotCount, "--slot") : 0;
    ParameterStore store = LoadedPresetFile(args.Positional(0));

    UnitLine line(port);
    std::vector<int> silent;
    for (size_t i = 0; i < addresses.size(); ++i) {
        Progress(addresses, i, "Writing");
        if (!line.Answers(addresses[i], kPresenceAttempts)) {
            silent.push_back(addresses[i]);
            continue;
        }
        if (toSlot)
            line.StoreToSlot(addresses[i], slot, store);
        else
            line.SendWholeSettings(addresses[i], store);
    }
    if (!silent.empty()) throw Silent(silent, line);
}

}  // namespace

void Scan(const Words& words) {
    const Arguments args(words, {kPort}, 0);
    UnitLine line(Required(args, "port"));
    std::fprintf(stderr, "Scanning addresses 1..%d on %s\n", kMaxAddress, line.PortName().c_str());
    std::vector<int> found;
    for (int address = 1; address <= kMaxAddress; ++address) {
        if (!line.Answers(address, 1)) continue;
        found.push_back(address);
        std::printf("%d\n", address);
        std::fflush(stdout);
    }
    if (found.empty()) throw LineFailure("no unit answered on " + line.PortName(), line);
    std::fprintf(stderr, "%zu unit(s) answered\n", found.size());
}

void ReadUnits(const Words& words) { ReadIntoFile(words, false); }
void RecallUnits(const Words& words) { ReadIntoFile(words, true); }
void WriteUnits(const Words& words) { SendToUnits(words, false); }
void StoreUnits(const Words& words) { SendToUnits(words, true); }

}  // namespace sonavel::cli
