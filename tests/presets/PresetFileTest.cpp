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
    long Entries() const {
        return std::distance(fs::directory_iterator(folder_), fs::directory_iterator());
    }

    static PresetRecord Named(const std::string& name, int16_t gain) {
        ParameterStore store;
        InitDSPPremeter(store);
        store.EqGain(1, 1) = gain;
        PresetRecord record;
        StoreToRecord(store, record);
        record.SetPresetName(name);
        return record;
    }

    fs::path folder_;
};

TEST_F(PresetFileTest, SavingAppendsAndLoadingReadsTheFirstRecord) {
    const std::string path = File("abc.bin");
    ASSERT_TRUE(AppendPresetRecord(path, Named("first", 10)).ok());
    EXPECT_EQ(fs::file_size(path), 690u);
    ASSERT_TRUE(AppendPresetRecord(path, Named("second", 20)).ok());
    EXPECT_EQ(fs::file_size(path), 1380u);
    EXPECT_EQ(CountPresetRecords(path).value(), 2);
    EXPECT_EQ(ReadPresetRecord(path).value(), Named("first", 10));
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), Named("second", 20));
    EXPECT_FALSE(ReadPresetRecord(path, 3).ok());

    // A partial record at the end is not a record: the next one goes in its place.
    std::ofstream(path, std::ios::app) << "0123456789";
    EXPECT_EQ(CountPresetRecords(path).value(), 2);
    ASSERT_TRUE(AppendPresetRecord(path, Named("third", 30)).ok());
    EXPECT_EQ(fs::file_size(path), 2070u);
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), Named("second", 20));
    EXPECT_EQ(ReadPresetRecord(path, 3).value(), Named("third", 30));
}

TEST_F(PresetFileTest, UnusableFilesAreReportedWithTheirPath) {
    const Outcome<PresetRecord> missing = ReadPresetRecord(File("none.bin"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find(File("none.bin") + ": no such file"), std::string::npos);

    fs::create_directory(File("dir.bin"));
    EXPECT_NE(ReadPresetRecord(File("dir.bin")).error().find("folder"), std::string::npos);
    EXPECT_FALSE(AppendPresetRecord(File("dir.bin"), Named("x", 1)).ok());

    std::ofstream(File("short.bin")) << std::string(689, 'x');
    EXPECT_NE(ReadPresetRecord(File("short.bin")).error().find("shorter"), std::string::npos);
    EXPECT_FALSE(AppendPresetRecord(File("no-folder/x.bin"), Named("x", 1)).ok());
}

TEST_F(PresetFileTest, AFailedWriteLeavesEveryFileAsItWas) {
    const std::string path = File("full.bin");
    ASSERT_TRUE(AppendPresetRecord(path, Named("kept", 3)).ok());
    ASSERT_TRUE(CreatePresetFile(File("made.bin"), {Named("made", 5), Named("more", 7)}).ok());
    EXPECT_EQ(ReadPresetRecord(File("made.bin"), 2).value(), Named("more", 7));

    // A file size limit makes writes beyond it fail as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit lowered = saved;
    lowered.rlim_cur = 1000;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
    const bool appended = AppendPresetRecord(path, Named("lost", 4)).ok();
    const bool created = CreatePresetFile(File("new.bin"), {Named("a", 1), Named("b", 2)}).ok();
    const bool replaced = CreatePresetFile(File("made.bin"), {Named("other", 6)}).ok();
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(appended);
    EXPECT_FALSE(created);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(fs::file_size(path), 690u);
    EXPECT_EQ(ReadPresetRecord(path).value(), Named("kept", 3));
    EXPECT_EQ(ReadPresetRecord(File("made.bin")).value(), Named("made", 5));
    EXPECT_EQ(Entries(), 2);  // no temporary or half-written file left
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
