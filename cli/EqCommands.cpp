// eq import and eq export: filter lists in the common text form to and from preset files.
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/EqPicture.h"
#include "cli/Files.h"
#include "cli/LoadedPreset.h"
#include "eqlist/FilterExport.h"
#include "eqlist/FitReport.h"
#include "model/BulkChange.h"
#include "presets/PresetFile.h"

namespace sonavel::cli {

namespace {

std::vector<int> Channels(const std::string& text, bool bothAllowed) {
    if (text == "1" || text == "2") return {text[0] - '0'};
    if (text == "both" && bothAllowed) return {1, 2};
    throw UsageError("--channel \"" + text + "\" is not " + (bothAllowed ? "1, 2 or both" : "1 or 2"));
}

// Lists every problem on stderr as "FILE:LINE: text", then fails with one line.
[[noreturn]] void RefuseList(const std::string& path, const std::vector<LineProblem>& problems, bool fitting) {
    for (const LineProblem& problem : problems)
        std::fprintf(stderr, "%s:%s %s\n", path.c_str(),
                     problem.line > 0 ? (std::to_string(problem.line) + ":").c_str() : "", problem.text.c_str());
    if (fitting) throw CliError(path + ": nothing can be imported");
    throw CliError(path + ": " + std::to_string(problems.size()) +
                   (problems.size() == 1 ? " problem" : " problems") + " (--fit keeps what fits)");
}

}  // namespace

int EqImport(const Words& words) {
    const Arguments args(words,
                         {{"channel", true, false}, {"into", true, false}, kRecordOption,
                          {"fit", false, false}, {"json", false, false}, {"png", true, false}},
                         2);
    if (args.Has("record") && !args.Has("into")) throw UsageError("--record goes with --into");
    const std::vector<int> channels = Channels(args.Value("channel", "both"), true);
    const int recordNumber = RecordNumber(args);
    const std::string& listPath = args.Positional(0);
    const FitMode mode = args.Has("fit") ? FitMode::KeepWhatFits : FitMode::Strict;
    const FittedList fitted = FitFilterList(ParseFilterList(ReadTextFile(listPath)), mode);
    if (!fitted.problems.empty()) RefuseList(listPath, fitted.problems, args.Has("fit"));
    if (args.Has("png") && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw CliError("drawing a picture needs the graphical application");

    PresetRecord record;
    ParameterStore store;
    if (args.Has("into")) {
        record = ReadRecord(args.Value("into"), recordNumber);
        store = LoadedPresetFile(args.Value("into"), recordNumber);
    } else {
        record.SetPresetName(QFileInfo(QString::fromStdString(listPath)).completeBaseName().toStdString());
        InitDSPPremeter(store);
        BringStoreInLine(store);
    }
    for (int channel : channels) ApplyFittedList(fitted, channel, store);
    BringStoreInLine(store);
    StoreToRecord(store, record);

    const std::vector<double> requestedDb = RequestedResponseDb(fitted);
    const std::vector<double> fittedDb = FittedResponseDb(fitted);
    const Deviation deviation = LargestDifference(requestedDb, fittedDb);
    const QByteArray picture = args.Has("png") ? ResponsesPng(requestedDb, fittedDb) : QByteArray();
    if (const Status written = CreatePresetFile(args.Positional(1), {record}); !written.ok())
        throw CliError(written.error());
    if (args.Has("png")) WriteWholeFile(args.Value("png"), picture);
    const ImportResult result{fitted, store, channels, deviation};
    const std::string report = args.Has("json") ? FitReportJson(result) : FitReportText(result);
    std::fputs(report.c_str(), stdout);
    return kExitSuccess;
}

int EqExport(const Words& words) {
    const Arguments args(words, {kRecordOption, {"channel", true, false}}, 1);
    const int channel = Channels(args.Value("channel", "1"), false).front();
    const int recordNumber = RecordNumber(args);
    const std::string& path = args.Positional(0);
    const ParameterStore store = LoadedPresetFile(path, recordNumber);
    const std::string name = ReadRecord(path, recordNumber).DisplayName();
    const std::string title = (name.empty() ? QFileInfo(QString::fromStdString(path)).fileName().toStdString() : name) +
                              ", record " + std::to_string(recordNumber) + ", channel " + std::to_string(channel);
    std::fputs(ExportFilterList(store, channel, title).c_str(), stdout);
    return kExitSuccess;
}

}  // namespace sonavel::cli
