#include "CliRunner.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <QJsonDocument>
#include <QProcess>

namespace sonavel::cli::test {

bool CliRun::failedWithMessage() const {
    if (exitCode == 0 || err.empty() || err.back() != '\n') return false;
    const size_t lineStart = err.rfind('\n', err.size() - 2);
    return err.compare(lineStart == std::string::npos ? 0 : lineStart + 1, 13, "sonavel-cli: ") == 0;
}

testing::AssertionResult Ended(const CliRun& run, int exitCode, const std::string& text) {
    const bool says = run.err.find(text) != std::string::npos;
    if (run.exitCode == exitCode && (exitCode == 0 || run.failedWithMessage()) && says) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "exit " << run.exitCode << ", stderr: " << run.err;
}

CliRun RunCli(const std::vector<std::string>& args, const std::string& input, long long fileSizeLimit) {
    QStringList list;
    for (const std::string& arg : args) list << QString::fromStdString(arg);
    QProcess process;
    if (fileSizeLimit > 0)
        process.setChildProcessModifier([limit = static_cast<rlim_t>(fileSizeLimit)] {
            const rlimit lowered{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &lowered);
            ::signal(SIGXFSZ, SIG_DFL);
        });
    process.start(SONAVEL_CLI_PROGRAM, list);
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) process.kill(), process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

void MakePreset(const Folder& folder, const std::string& json, const std::string& file) {
    folder.write(file + ".json", json);
    const CliRun run = RunCli({"preset", "make", folder.file(file + ".json"), folder.file(file)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
}

QJsonObject ShowPreset(const Folder& folder, const std::string& file, int record) {
    const CliRun run = RunCli({"preset", "show", "--raw", folder.file(file), "--record", std::to_string(record)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

}  // namespace sonavel::cli::test
