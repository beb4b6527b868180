#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <vector>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/UnitLine.h"
#include "link/Messages.h"

namespace sonavel::cli {

namespace {

// A presence reply takes about 20 ms at 9600 baud, query included; the rest is for the
// adapter and the system.
constexpr int kDefaultScanTimeoutMs = 60;
constexpr int kMinScanTimeoutMs = 25;
constexpr int kMaxScanTimeoutMs = 2000;
// Queries again while bytes come that make no valid reply: the answer was corrupted on the
// line. A corrupted length byte can make the receive side take up to a settings dump's 121
// bytes, about 13 further replies, before it finds the next frame. An address where
// nothing came is silent after one query.
constexpr int kGarbledReplyRetries = 16;

bool UnitAnswers(UnitLine& line, int address, int timeoutMs) {
    for (int query = 0; query <= kGarbledReplyRetries && line.LostReason().empty(); ++query) {
        const int arrivalsBefore = line.ArrivalCount();
        if (line.Answers(address, 1, timeoutMs)) return true;
        if (line.ArrivalCount() == arrivalsBefore) return false;
    }
    return false;
}

// One line on a terminal, rewritten for each address; nothing when stderr is a file.
class ScanProgress {
public:
    ScanProgress() : shown_(::isatty(STDERR_FILENO) == 1) {}
    void Show(int address, size_t found) const {
        if (shown_) std::fprintf(stderr, "\rAddress %2d of %d, %zu unit(s) found", address, kMaxAddress, found);
    }
    void End() const {
        if (shown_) std::fputs("\r\033[K", stderr);
    }

private:
    bool shown_;
};

std::string ScanJson(const std::string& port, const std::vector<int>& found, const std::string& lost) {
    QJsonArray units;
    for (int address : found) units.append(address);
    QJsonObject result{{"port", QString::fromStdString(port)}, {"units", units}, {"complete", lost.empty()}};
    if (!lost.empty()) result["lost"] = QString::fromStdString(lost);
    return QJsonDocument(result).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

}  // namespace

int Scan(const Words& words) {
    const Arguments args(words, {{"port", true, false}, {"timeout", true, false}, {"json", false, false}}, 0);
    const int timeoutMs = ParseNumber(args.Value("timeout", std::to_string(kDefaultScanTimeoutMs)),
                                      kMinScanTimeoutMs, kMaxScanTimeoutMs, "--timeout");
    UnitLine line(args.Required("port"));
    std::fprintf(stderr, "Scanning addresses 1..%d on %s\n", kMaxAddress, line.PortName().c_str());
    const ScanProgress progress;
    std::vector<int> found;
    int address = 1;
    for (; address <= kMaxAddress && line.LostReason().empty(); ++address) {
        progress.Show(address, found.size());
        if (!UnitAnswers(line, address, timeoutMs)) continue;
        found.push_back(address);
        if (!args.Has("json")) {
            std::printf("%d\n", address);
            std::fflush(stdout);
        }
    }
    progress.End();
    const std::string& lost = line.LostReason();
    if (args.Has("json")) std::fputs(ScanJson(line.PortName(), found, lost).c_str(), stdout);
    if (!lost.empty())
        throw CliError("the scan stopped at address " + std::to_string(address - 1) + ": " + lost);
    if (found.empty()) throw CliError("no unit answered on " + line.PortName());
    std::fprintf(stderr, "%zu unit(s) answered\n", found.size());
    return kExitSuccess;
}

}  // namespace sonavel::cli
