// sonavel-cli: preset files, response exports and unit transfers from the command line.
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "cli/CliError.h"
#include "cli/Commands.h"

namespace {

using sonavel::cli::Words;
using Command = std::function<int(const Words&)>;

// "preset show", "plot", ...: the command's name and the words after it.
struct Invocation {
    std::string name;
    Words words;
};

Invocation Split(int argc, char** argv) {
    Words all(argv + 1, argv + argc);
    if (all.empty()) return {};
    size_t taken = (all[0] == "preset" || all[0] == "eq") && all.size() > 1 ? 2 : 1;
    std::string name = all[0] + (taken == 2 ? " " + all[1] : "");
    return {name, Words(all.begin() + static_cast<long>(taken), all.end())};
}

bool WantsPicture(const Invocation& call) {
    return (call.name == "plot" || call.name == "eq import") &&
           std::find(call.words.begin(), call.words.end(), "--png") != call.words.end();
}

// Qt's own notices go to stderr as usual, except the one about a missing runtime folder,
// which a headless tool run as a service user always gets and cannot act on.
void ForwardQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith("QStandardPaths: XDG_RUNTIME_DIR not set")) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

bool IsHelpWord(const std::string& word) { return word == "--help" || word == "-h"; }

// "help", "--help": the whole usage; "help scan", "scan --help": that command's help.
std::optional<std::string> HelpAskedFor(const Invocation& call) {
    if (call.name == "help" || IsHelpWord(call.name)) {
        std::string topic;
        for (const std::string& word : call.words) topic += (topic.empty() ? "" : " ") + word;
        return topic;
    }
    if (std::any_of(call.words.begin(), call.words.end(), IsHelpWord)) return call.name;
    return std::nullopt;
}

int PrintHelp(const std::string& topic) {
    using namespace sonavel::cli;
    if (topic.empty()) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitSuccess;
    }
    const std::string text = CommandHelpText(topic);
    if (text.empty()) {
        std::fprintf(stderr, "sonavel-cli: no command \"%s\"; see sonavel-cli help\n", topic.c_str());
        return kExitUsage;
    }
    std::fputs(text.c_str(), stdout);
    return kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace sonavel::cli;
    const std::map<std::string, Command> commands = {
        {"preset show", PresetShow}, {"preset make", PresetMake}, {"preset diff", PresetDiffCommand},
        {"plot", Plot},              {"scan", Scan},              {"read", ReadUnits},
        {"write", WriteUnits},       {"store", StoreUnits},       {"recall", RecallUnits},
        {"eq import", EqImport},     {"eq export", EqExport},
    };
    std::signal(SIGXFSZ, SIG_IGN);  // a write past a file size limit fails with its error instead
    const Invocation call = Split(argc, argv);
    if (call.name == "--version") {
        std::puts("sonavel-cli " SONAVEL_VERSION);
        return kExitSuccess;
    }
    if (call.name.empty()) {
        std::fputs(UsageText().c_str(), stderr);
        return kExitUsage;
    }
    if (const std::optional<std::string> topic = HelpAskedFor(call)) return PrintHelp(*topic);
    const auto command = commands.find(call.name);
    if (command == commands.end()) {
        std::fprintf(stderr, "sonavel-cli: unknown command \"%s\"; see sonavel-cli help\n",
                     call.name.c_str());
        return kExitUsage;
    }

    // Only the picture needs the graphical application (for its lettering); it never
    // shows a window, so it runs without a display.
    qInstallMessageHandler(ForwardQtMessage);
    std::unique_ptr<QCoreApplication> app;
    if (WantsPicture(call)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // "preset diff" reports every trouble as 2, like diff; its 1 means "different".
    const bool diffStatus = call.name == "preset diff";
    int status = kExitSuccess;
    try {
        status = command->second(call.words);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "sonavel-cli: %s (see sonavel-cli help %s)\n", e.what(), call.name.c_str());
        return kExitUsage;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sonavel-cli: %s\n", e.what());
        return diffStatus ? kExitDiffTrouble : kExitFailure;
    }
    if (std::fflush(stdout) != 0) return diffStatus ? kExitDiffTrouble : kExitFailure;
    return status;
}
