// The tool's files: size limits, standard streams, special files and names that are bytes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "CliRunner.h"
#include "cli/Commands.h"

namespace sonavel::cli::test {
namespace {

// The tool lives to report the failed write; no partial record, no half-written export, no advice that does not apply.
TEST(CliFiles, AWritePastAFileSizeLimitFailsAndLeavesTheFileAsItWas) {
    Folder folder;
    folder.write("empty.json", "{}");
    for (int i = 0; i < 5; ++i) RunCli({"preset", "make", "--append", folder.file("empty.json"), folder.file("five.bin")});
    ASSERT_EQ(folder.read("five.bin").size(), 5u * 690);
    folder.write("old.csv", "old");
    const std::string five = folder.read("five.bin");
    const int before = folder.count();
    const std::pair<std::vector<std::string>, long long> runs[] = {  // `ulimit -f 4` for a sixth record
        {{"preset", "make", "--append", folder.file("empty.json"), folder.file("five.bin")}, 4096},
        {{"preset", "make", folder.file("empty.json"), folder.file("new.bin")}, 600},
        {{"plot", folder.file("five.bin"), "--csv", folder.file("old.csv")}, 100},
    };
    for (const auto& [args, limit] : runs) {
        const CliRun run = RunCli(args, "", limit);
        EXPECT_TRUE(Ended(run, 1, "File too large"));
        EXPECT_EQ(run.err.find("--append"), std::string::npos) << run.err;
    }
    EXPECT_EQ(folder.read("five.bin"), five);
    EXPECT_EQ(folder.read("old.csv"), "old");
    EXPECT_EQ(folder.count(), before);
}

// Names with bytes that are no text are tried in the test's own process, since a child's
// arguments cannot carry them here.
TEST(CliFiles, StandardStreamsServeAsFilesOtherSpecialFilesAreRefusedAtOnceAndNamesAreBytes) {
    Folder folder;
    ASSERT_EQ(RunCli({"preset", "make", "-", folder.file("in.bin")}, R"({"PresetName": "piped"})").exitCode, 0);
    EXPECT_EQ(ShowPreset(folder, "in.bin").value("PresetName").toString(), "piped");
    EXPECT_EQ(RunCli({"plot", folder.file("in.bin"), "--csv", "-"}).out.substr(0, 13), "frequency_hz,");
    ASSERT_EQ(::mkfifo(folder.file("pipe.json").c_str(), 0644), 0);
    for (const auto& [json, error] : std::vector<std::pair<std::string, std::string>>{
             {folder.file("pipe.json"), "pipe.json: is not a regular file"},
             {folder.file("in.bin"), "not valid JSON at character 0"}}) {
        EXPECT_TRUE(Ended(RunCli({"preset", "make", json, folder.file("out.bin")}), 1, error));
    }
    EXPECT_TRUE(Ended(RunCli({"preset", "make", "-", folder.file("in.bin")}, "{}"), 1,
                      "already exists; not overwritten (use --append to add a record)"));

    const std::string odd = folder.path() + "/\xff";
    folder.write("odd.json", "{}");
    PresetMake({folder.file("odd.json"), odd + ".bin"});
    Plot({odd + ".bin", "--csv", odd + ".csv"});
    EXPECT_EQ(std::filesystem::file_size(odd + ".bin"), 690u);
    EXPECT_GT(std::filesystem::file_size(odd + ".csv"), 0u);
    EXPECT_EQ(folder.count(), 5);
    for (const char* made : {".bin", ".csv"}) std::filesystem::remove(odd + made);  // beyond what the folder can remove
}

}  // namespace
}  // namespace sonavel::cli::test
