#include "CliRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace sonavel::cli::test {

namespace {
constexpr int kRunTimeoutMs = 60000;
}

bool CliRun::failedWithOneLine() const {
    return exitCode != 0 && !err.empty() && err.find('\n') == err.size() - 1;
}

bool CliRun::failedWithMessage() const {
    if (exitCode == 0 || err.empty() || err.back() != '\n') return false;
    const size_t lineStart = err.rfind('\n', err.size() - 2);
    return err.compare(lineStart == std::string::npos ? 0 : lineStart + 1, 13, "sonavel-cli: ") == 0;
}

CliRun RunCli(const std::vector<std::string>& args) {
    QStringList list;
    for (const std::string& arg : args) list << QString::fromStdString(arg);
    QProcess process;
    process.start(SONAVEL_CLI_PROGRAM, list);
    CliRun run;
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = "timed out";
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

SimulatedLine::SimulatedLine(const std::string& units, const std::vector<std::string>& extra) {
    QStringList args{"--units", QString::fromStdString(units)};
    for (const std::string& arg : extra) args << QString::fromStdString(arg);
    process_.start(SONAVEL_DEVSIM_PROGRAM, args);
    while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
    }
    path_ = process_.readLine().trimmed().toStdString();
    if (path_.empty()) throw std::runtime_error("the simulated line did not start");
}

SimulatedLine::~SimulatedLine() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) process_.kill();
}

std::string Folder::file(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
}

bool Folder::exists(const std::string& name) const { return QFile::exists(QString::fromStdString(file(name))); }

void Folder::write(const std::string& name, const std::string& content) const {
    QFile out(QString::fromStdString(file(name)));
    if (!out.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write " + name);
    out.write(content.data(), static_cast<qint64>(content.size()));
}

std::string Folder::read(const std::string& name) const {
    QFile in(QString::fromStdString(file(name)));
    if (!in.open(QIODevice::ReadOnly)) return {};
    return in.readAll().toStdString();
}

int Folder::count() const {
    return static_cast<int>(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size());
}

}  // namespace sonavel::cli::test
