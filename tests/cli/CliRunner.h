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
};

constexpr int kFailed = -2;  // any failure status
// The run ended with this status, a failure in the tool's one error line (after any progress),
// and stderr holds the text.
testing::AssertionResult Ended(const CliRun& run, int exitCode, const std::string& text = "");

// With this standard input, and a file size limit in bytes (0: none) with SIGXFSZ at its default.
CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "", long long fileSizeLimit = 0);

// `preset make` of a JSON text, from standard input, into a new preset file of the folder.
void MakePreset(const Folder& folder, const std::string& json, const std::string& file);
// `preset show --raw` of one record of a preset file of the folder; its settings alone without the name.
QJsonObject ShowPreset(const Folder& folder, const std::string& file, int record = 1, bool withName = true);

}  // namespace sonavel::cli::test
