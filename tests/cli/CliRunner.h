#pragma once
// Runs the built sonavel-cli as a child process; private folders for a test's files.
#include <gtest/gtest.h>

#include <QJsonObject>
#include <string>
#include <vector>

#include "tests/support/Folder.h"

namespace sonavel::cli::test {

using sonavel::test::Folder;

struct CliRun {
    int exitCode = -1;
    std::string out, err;
    // Non-zero exit, and stderr ends in the tool's one error line (after any progress).
    bool failedWithMessage() const;
};

// The run ended with this status, a failure in the tool's one error line, and stderr holds the text.
testing::AssertionResult Ended(const CliRun& run, int exitCode, const std::string& text);

// With this standard input, and a file size limit in bytes as `ulimit -f` sets it (0: none)
// with SIGXFSZ at its default.
CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "", long long fileSizeLimit = 0);

// `preset make` of a JSON text into a new preset file of the folder.
void MakePreset(const Folder& folder, const std::string& json, const std::string& file);
// `preset show --raw` of one record of a preset file of the folder.
QJsonObject ShowPreset(const Folder& folder, const std::string& file, int record = 1);

}  // namespace sonavel::cli::test
