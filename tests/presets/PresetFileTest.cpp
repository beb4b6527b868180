#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

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

// Lowers the file size limit for one scope, so that writes beyond it fail like a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST_F(PresetFileTest, SavingAppendsAndLoadingReadsTheFirstRecord) {
    const std::string path = File("abc.bin");
    ASSERT_TRUE(AppendPresetRecord(path, Named("first", 10)).ok());
    EXPECT_EQ(fs::file_size(path), 690u);
    ASSERT_TRUE(AppendPresetRecord(path, Named("second", 20)).ok());
    EXPECT_EQ(fs::file_size(path), 1380u);

    EXPECT_EQ(CountPresetRecords(path).value(), 2);
    const Outcome<PresetRecord> first = ReadPresetRecord(path);
    ASSERT_TRUE(first.ok()) << first.error();
    EXPECT_EQ(first.value(), Named("first", 10));
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), Named("second", 20));
    EXPECT_FALSE(ReadPresetRecord(path, 3).ok());
    EXPECT_FALSE(ReadPresetRecord(path, 0).ok());
}

TEST_F(PresetFileTest, AppendingAfterAPartialRecordKeepsTheWholeOnes) {
    const std::string path = File("tail.bin");
    ASSERT_TRUE(AppendPresetRecord(path, Named("one", 1)).ok());
    std::ofstream(path, std::ios::app) << "0123456789";
    EXPECT_EQ(CountPresetRecords(path).value(), 1);
    ASSERT_TRUE(AppendPresetRecord(path, Named("two", 2)).ok());
    EXPECT_EQ(fs::file_size(path), 1380u);
    EXPECT_EQ(ReadPresetRecord(path, 1).value(), Named("one", 1));
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), Named("two", 2));
}

TEST_F(PresetFileTest, UnusableFilesAreReportedWithTheirPath) {
    const Outcome<PresetRecord> missing = ReadPresetRecord(File("none.bin"));
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("none.bin"), std::string::npos);
    EXPECT_NE(missing.error().find("no such file"), std::string::npos);

    fs::create_directory(File("dir.bin"));
    EXPECT_NE(ReadPresetRecord(File("dir.bin")).error().find("folder"), std::string::npos);
    EXPECT_FALSE(CountPresetRecords(File("dir.bin")).ok());
    EXPECT_FALSE(AppendPresetRecord(File("dir.bin"), Named("x", 1)).ok());

    std::ofstream(File("short.bin")) << std::string(689, 'x');
    EXPECT_NE(ReadPresetRecord(File("short.bin")).error().find("shorter"), std::string::npos);
    std::ofstream(File("empty.bin"));
    EXPECT_FALSE(ReadPresetRecord(File("empty.bin")).ok());

    EXPECT_FALSE(AppendPresetRecord(File("no-folder/x.bin"), Named("x", 1)).ok());
}

TEST_F(PresetFileTest, AFailedWriteLeavesTheFileAsItWas) {
    const std::string path = File("full.bin");
    ASSERT_TRUE(AppendPresetRecord(path, Named("kept", 3)).ok());
    {
        FileSizeLimit limit(1000);
        const Status appended = AppendPresetRecord(path, Named("lost", 4));
        EXPECT_FALSE(appended.ok());
        const Status fresh = AppendPresetRecord(File("fresh.bin"), Named("lost", 4));
        EXPECT_TRUE(fresh.ok());  // 690 bytes fit under the limit
        FileSizeLimit tighter(100);
        EXPECT_FALSE(AppendPresetRecord(File("new.bin"), Named("lost", 4)).ok());
        EXPECT_FALSE(CreatePresetFile(File("made.bin"), {Named("lost", 4)}).ok());
    }
    EXPECT_EQ(fs::file_size(path), 690u);
    EXPECT_EQ(ReadPresetRecord(path).value(), Named("kept", 3));
    EXPECT_FALSE(fs::exists(File("new.bin")));
    EXPECT_FALSE(fs::exists(File("made.bin")));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

TEST_F(PresetFileTest, CreatingNeverReplacesAnExistingFile) {
    const std::string path = File("made.bin");
    ASSERT_TRUE(CreatePresetFile(path, {Named("made", 5), Named("more", 7)}).ok());
    EXPECT_EQ(fs::file_size(path), 1380u);
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), Named("more", 7));
    const Status again = CreatePresetFile(path, {Named("other", 6)});
    EXPECT_FALSE(again.ok());
    EXPECT_NE(again.error().find("exists"), std::string::npos);
    EXPECT_EQ(ReadPresetRecord(path).value(), Named("made", 5));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST(PresetPath, JoinsFolderAndNameWithOneSeparator) {
    EXPECT_EQ(PresetPath("/", "abc.bin").value(), "/abc.bin");
    EXPECT_EQ(PresetPath("/home/user/Presets", "abc.bin").value(), "/home/user/Presets/abc.bin");
    EXPECT_EQ(PresetPath("/home/user/Presets/", "abc.bin").value(), "/home/user/Presets/abc.bin");
    EXPECT_EQ(PresetPath("", "abc.bin").value(), "abc.bin");
    EXPECT_EQ(SavePathForName("/tmp", "My Preset").value(), "/tmp/My Preset.bin");

    const std::string deep = "/" + std::string(4200, 'd');
    EXPECT_FALSE(PresetPath(deep, "abc.bin").ok());
    EXPECT_TRUE(PresetPath(std::string(4000, 'd'), "abc.bin").ok());
}

TEST(PresetPath, RefusesNamesThatCannotBeFileNames) {
    for (const std::string& bad : std::vector<std::string>{"", "   ", "a/b", "/", ".", "..", std::string("a\0b", 3),
                                  std::string(252, 'n')})
        EXPECT_FALSE(CheckPresetName(bad).ok()) << bad;
    for (const std::string& good : std::vector<std::string>{"abc", " spaced name ", "...", "a.b", std::string(251, 'n')})
        EXPECT_TRUE(CheckPresetName(good).ok()) << good;
    EXPECT_FALSE(SavePathForName("/tmp", "..").ok());
}

}  // namespace
}  // namespace sonavel
