#include <QBuffer>
#include <QGuiApplication>
#include <cstdio>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Files.h"
#include "cli/LoadedPreset.h"
#include "cli/PlotExport.h"
#include "cli/PresetDiff.h"
#include "cli/PresetJson.h"
#include "editor/PlotPainter.h"
#include "presets/PresetFile.h"

namespace sonavel::cli {

namespace {
constexpr int kMaxRecordNumber = 1 << 30;
}

void PresetShow(const Words& words) {
    const Arguments args(words, {{"record", true, false}}, 1);
    const int number = ParseNumber(args.Value("record", "1"), 1, kMaxRecordNumber, "--record");
    std::fputs(PresetToJson(ReadRecord(args.Positional(0), number)).c_str(), stdout);
}

void PresetMake(const Words& words) {
    const Arguments args(words, {{"append", false, false}}, 2);
    const std::string& jsonPath = args.Positional(0);
    const std::string& out = args.Positional(1);
    PresetRecord record;
    try {
        record = PresetFromJson(ReadTextFile(jsonPath));
    } catch (const CliError& e) {
        throw CliError(jsonPath + ": " + e.what());
    }
    const Status written =
        args.Has("append") ? AppendPresetRecord(out, record) : CreatePresetFile(out, {record});
    if (!written.ok())
        throw CliError(written.error() + (args.Has("append") ? "" : " (use --append to add a record)"));
}

void PresetDiffCommand(const Words& words) {
    const Arguments args(words, {}, 2);
    const PresetRecord a = ReadRecord(args.Positional(0));
    const PresetRecord b = ReadRecord(args.Positional(1));
    for (const std::string& line : DiffPresets(a, b)) std::printf("%s\n", line.c_str());
}

void Plot(const Words& words) {
    const Arguments args(words, {{"csv", true, false}, {"segments", true, false}, {"png", true, false}}, 1);
    if (!args.Has("csv") && !args.Has("segments") && !args.Has("png"))
        throw CliError("plot needs at least one of --csv, --segments, --png");
    ResponsePlot plot;
    plot.RefreshAllBands(LoadedPresetFile(args.Positional(0)));
    if (args.Has("csv")) WriteWholeFile(args.Value("csv"), QByteArray::fromStdString(CurvesCsv(plot)));
    if (args.Has("segments"))
        WriteWholeFile(args.Value("segments"), QByteArray::fromStdString(SegmentsCsv(plot)));
    if (args.Has("png")) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            throw CliError("drawing a picture needs the graphical application");
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!RenderPlot(plot.segments()).save(&buffer, "PNG"))
            throw CliError("the plot picture could not be encoded as PNG");
        WriteWholeFile(args.Value("png"), png);
    }
}

}  // namespace sonavel::cli
