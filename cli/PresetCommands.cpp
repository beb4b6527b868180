#include <QBuffer>
#include <QGuiApplication>
#include <cstdio>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Files.h"
#include "cli/LoadedPreset.h"
#include "cli/PlotExport.h"
#include "cli/PlotPicture.h"
#include "cli/PresetDiff.h"
#include "cli/PresetJson.h"
#include "presets/PresetFile.h"

namespace sonavel::cli {

int PresetShow(const Words& words) {
    const Arguments args(words, {kRecordOption, {"raw", false, false}}, 1);
    const PresetRecord record = ReadRecord(args.Positional(0), RecordNumber(args));
    std::fputs(PresetToJson(record, !args.Has("raw")).c_str(), stdout);
    return kExitSuccess;
}

int PresetMake(const Words& words) {
    const Arguments args(words, {{"append", false, false}}, 2);
    const std::string& jsonPath = args.Positional(0);
    const std::string& out = args.Positional(1);
    const std::string json = ReadTextFile(jsonPath);
    PresetRecord record;
    try {
        record = PresetFromJson(json);
    } catch (const CliError& e) {
        throw CliError((jsonPath == "-" ? "standard input" : jsonPath) + ": " + e.what());
    }
    // Written as the editor would hold it after loading it, so that the crossover bands'
    // codes agree with their lists and a unit gives back what the file says.
    StoreToRecord(LoadedStore(record, jsonPath), record);
    const Status written =
        args.Has("append") ? AppendPresetRecord(out, record) : CreatePresetFile(out, {record});
    if (!written.ok()) {
        const bool taken = written.error().ends_with(kNotOverwritten);
        throw CliError(written.error() + (taken ? " (use --append to add a record)" : ""));
    }
    return kExitSuccess;
}

int PresetDiffCommand(const Words& words) {
    const Arguments args(words, {{"record", true, true}}, 2);
    const std::vector<std::string> numbers = args.Values("record");
    if (numbers.size() > 2) throw UsageError("--record is given at most twice (for A.bin, then B.bin)");
    std::vector<int> records;
    for (const std::string& text : numbers) records.push_back(ParseNumber(text, 1, kNoUpperLimit, "--record"));
    if (records.empty()) records.push_back(1);
    const PresetRecord a = ReadRecord(args.Positional(0), records.front());
    const PresetRecord b = ReadRecord(args.Positional(1), records.back());
    const std::vector<std::string> lines = DiffPresets(a, b);
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return lines.empty() ? kExitSuccess : kExitDifferent;
}

int Plot(const Words& words) {
    const Arguments args(words, {kRecordOption, {"csv", true, false}, {"plot-units", false, false},
                                 {"segments", true, false}, {"png", true, false}}, 1);
    if (!args.Has("csv") && !args.Has("segments") && !args.Has("png"))
        throw UsageError("plot needs at least one of --csv, --segments, --png");
    if (args.Has("plot-units") && !args.Has("csv")) throw UsageError("--plot-units goes with --csv");
    ResponsePlot plot;
    plot.RefreshAllBands(LoadedPresetFile(args.Positional(0), RecordNumber(args)));
    if (args.Has("csv")) WriteWholeFile(args.Value("csv"), args.Has("plot-units") ? CurvesCsv(plot) : LevelsCsv(plot));
    if (args.Has("segments")) WriteWholeFile(args.Value("segments"), SegmentsCsv(plot));
    if (args.Has("png")) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            throw CliError("drawing a picture needs the graphical application");
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!PlotPicture(plot.segments()).save(&buffer, "PNG"))
            throw CliError("the plot picture could not be encoded as PNG");
        WriteWholeFile(args.Value("png"), png);
    }
    return kExitSuccess;
}

}  // namespace sonavel::cli
