#include "CliRunner.h"

#include <sys/resource.h>

#include <csignal>

#include <QJsonDocument>
#include <QProcess>

namespace sonavel::cli::test {

testing::AssertionResult Ended(const CliRun& run, int exitCode, const std::string& text) {
    const std::string& err = run.err;
    const size_t lastLine = err.rfind('\n', err.size() - 2) + 1;  // 0 for a single line
    const bool errorLine = err.ends_with('\n') && err.compare(lastLine, 13, "sonavel-cli: ") == 0;
    const bool status = exitCode == kFailed ? run.exitCode > 0 : run.exitCode == exitCode;
    if (status && (exitCode == 0 || errorLine) && err.find(text) != std::string::npos)
        return testing::AssertionSuccess();
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
    ASSERT_TRUE(Ended(RunCli({"preset", "make", "-", folder.file(file)}, json), 0));
}

QJsonObject ShowPreset(const Folder& folder, const std::string& file, int record, bool withName) {
    const CliRun run = RunCli({"preset", "show", "--raw", folder.file(file), "--record", std::to_string(record)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    QJsonObject shown = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    if (!withName) shown.remove("PresetName");
    return shown;
}

}  // namespace sonavel::cli::test
