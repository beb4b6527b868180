#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "presets/PresetFile.h"
#include "presets/PresetPath.h"

namespace sonavel {
namespace {

namespace fs = std::filesystem;

class PresetFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "presets-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string File(const std::string& name) const { return (folder_ / name).string(); }
    static PresetRecord Named(const std::string& name) {
        PresetRecord record;
        record.SetPresetName(name);
        return record;
    }
    fs::path folder_;
};

TEST_F(PresetFileTest, SavingAppendsAndLoadingReadsTheFirstRecord) {
    const std::string path = File("abc.bin");
    ASSERT_TRUE(AppendPresetRecord(path, Named("first")).ok());
    EXPECT_EQ(fs::file_size(path), 690u);
    ASSERT_TRUE(AppendPresetRecord(path, Named("second")).ok());
    EXPECT_EQ(fs::file_size(path), 1380u);
    EXPECT_EQ(CountPresetRecords(path).value(), 2);
    EXPECT_EQ(ReadPresetRecord(path).value(), Named("first"));
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), Named("second"));
    EXPECT_FALSE(ReadPresetRecord(path, 3).ok());

    // A partial record at the end is not a record: the next one goes in its place.
    std::ofstream(path, std::ios::app) << "0123456789";
    EXPECT_EQ(CountPresetRecords(path).value(), 2);
    ASSERT_TRUE(AppendPresetRecord(path, Named("third")).ok());
    EXPECT_EQ(fs::file_size(path), 2070u);
    EXPECT_EQ(ReadPresetRecord(path, 3).value(), Named("third"));
}

TEST_F(PresetFileTest, UnusableFilesAreReportedWithTheirPath) {
    const Outcome<PresetRecord> missing = ReadPresetRecord(File("none.bin"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find(File("none.bin") + ": no such file"), std::string::npos);

    fs::create_directory(File("dir.bin"));
    EXPECT_NE(ReadPresetRecord(File("dir.bin")).error().find("folder"), std::string::npos);
    EXPECT_FALSE(AppendPresetRecord(File("dir.bin"), Named("x")).ok());

    std::ofstream(File("short.bin")) << std::string(689, 'x');
    EXPECT_NE(ReadPresetRecord(File("short.bin")).error().find("shorter"), std::string::npos);
    EXPECT_FALSE(AppendPresetRecord(File("no-folder/x.bin"), Named("x")).ok());
}

TEST_F(PresetFileTest, AFailedWriteLeavesEveryFileAsItWas) {
    const std::string path = File("full.bin");
    ASSERT_TRUE(AppendPresetRecord(path, Named("kept")).ok());
    ASSERT_TRUE(CreatePresetFile(File("made.bin"), {Named("made"), Named("more")}).ok());
    EXPECT_EQ(ReadPresetRecord(File("made.bin"), 2).value(), Named("more"));
    EXPECT_FALSE(CreatePresetFile(File("made.bin"), {Named("other")}).ok());  // never replaced

    // A file size limit makes writes beyond it fail as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit lowered{1000, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &lowered);
    const bool appended = AppendPresetRecord(path, Named("lost")).ok();
    const bool created = CreatePresetFile(File("new.bin"), {Named("a"), Named("b")}).ok();
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(appended || created);
    EXPECT_EQ(ReadPresetRecord(path).value(), Named("kept"));
    EXPECT_EQ(fs::file_size(path), 690u);
    EXPECT_EQ(ReadPresetRecord(File("made.bin")).value(), Named("made"));
    // No temporary or half-written file left.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

TEST(PresetPath, JoinsWithOneSeparatorAndRefusesWhatCannotBeAFileName) {
    EXPECT_EQ(PresetPath("/", "abc.bin").value(), "/abc.bin");
    EXPECT_EQ(PresetPath("/home/user/Presets", "abc.bin").value(), "/home/user/Presets/abc.bin");
    EXPECT_EQ(PresetPath("/home/user/Presets/", "abc.bin").value(), "/home/user/Presets/abc.bin");
    EXPECT_EQ(SavePathForName("/tmp", "My Preset").value(), "/tmp/My Preset.bin");
    EXPECT_FALSE(PresetPath("/" + std::string(4200, 'd'), "abc.bin").ok());  // never cut

    for (const std::string& bad : std::vector<std::string>{
             "", " \t ", "a/b", ".", "..", std::string("a\0b", 3), std::string(252, 'n')})
        EXPECT_FALSE(SavePathForName("/tmp", bad).ok()) << bad;
    for (const std::string& good : std::vector<std::string>{" spaced ", "...", std::string(251, 'n')})
        EXPECT_TRUE(SavePathForName("/tmp", good).ok()) << good;
}

}  // namespace
}  // namespace sonavel
