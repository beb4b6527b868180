#pragma once
// Runs the built sonavel-cli as a child process, and a simulated line of units for it.
#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace sonavel::cli::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    bool failedWithOneLine() const;  // non-zero exit and exactly one line on stderr
    bool failedWithMessage() const;  // non-zero exit, stderr ending in the tool's error line
};

CliRun RunCli(const std::vector<std::string>& args);

// sonavel-devsim with the given units on a pseudo-terminal, stopped when destroyed.
class SimulatedLine {
public:
    explicit SimulatedLine(const std::string& units, const std::vector<std::string>& extra = {});
    ~SimulatedLine();
    const std::string& path() const { return path_; }

private:
    QProcess process_;
    std::string path_;
};

// A private folder for one test's files.
class Folder {
public:
    std::string file(const std::string& name) const;
    bool exists(const std::string& name) const;
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    int count() const;  // entries in the folder

private:
    QTemporaryDir dir_;
};

}  // namespace sonavel::cli::test
