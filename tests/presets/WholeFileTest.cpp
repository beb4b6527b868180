// Text inputs, whole outputs and folder listings, by names as the file system holds them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "presets/FolderListing.h"
#include "presets/WholeFile.h"

namespace sonavel {
namespace {

namespace fs = std::filesystem;

class WholeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "whole-file-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string File(const std::string& name) const { return (folder_ / name).string(); }
    fs::path folder_;
};

// None of these may block or read without end; each is refused at once.
TEST_F(WholeFileTest, ReadsOnlyRegularFilesUpToTheCap) {
    ASSERT_EQ(::mkfifo(File("pipe.json").c_str(), 0644), 0);
    fs::create_directory(File("folder.json"));
    fs::create_symlink("loop.json", File("loop.json"));
    std::ofstream(File("big.json")) << std::string(kMaxTextInputBytes + 1, ' ');
    std::filesystem::resize_file(File("big.json"), 1ull << 30);  // sparse: no time to read
    std::ofstream(File("fits.json")) << std::string(kMaxTextInputBytes, ' ');
    const struct {
        std::string path, error;
    } refused[] = {
        {File("pipe.json"), File("pipe.json") + ": is not a regular file"},
        {"/dev/zero", "/dev/zero: is not a regular file"},
        {File("folder.json"), File("folder.json") + ": is a folder"},
        {File("loop.json"), File("loop.json") + ": cannot open: Too many levels of symbolic links"},
        {File("none.json"), File("none.json") + ": cannot open: No such file or directory"},
        {File("big.json"), File("big.json") + ": larger than 1048576 bytes, the most an input may hold"},
    };
    for (const auto& c : refused) EXPECT_EQ(ReadTextInput(c.path).error(), c.error);
    EXPECT_EQ(ReadTextInput(File("fits.json")).value().size(), kMaxTextInputBytes);
}

TEST_F(WholeFileTest, WritesUnderTheNameGivenKeepingTheModeOfAReplacedFile) {
    const std::string odd = File("\xff\xfe.csv");
    const mode_t saved = ::umask(077);
    ASSERT_TRUE(WriteWholeOutput(odd, "new").ok());
    ::umask(saved);
    EXPECT_EQ(fs::status(odd).permissions(), fs::perms(0600));
    fs::permissions(odd, fs::perms(0640));
    ASSERT_TRUE(WriteWholeOutput(odd, "again").ok());
    EXPECT_EQ(fs::status(odd).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::file_size(odd), 5u);
    EXPECT_FALSE(WriteWholeOutput(File("no-folder/x.csv"), "x").ok());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(WholeFileTest, ListsRegularFilesByTheirBytesAndNothingElse) {
    for (const char* name : {"b.bin", "\xff.bin", "A.bin", "c.txt", ".hidden.bin"}) std::ofstream(File(name)) << "x";
    ASSERT_EQ(::mkfifo(File("pipe.bin").c_str(), 0644), 0);
    fs::create_directory(File("folder.bin"));
    fs::create_symlink("loop.bin", File("loop.bin"));
    fs::create_symlink("b.bin", File("link.bin"));
    EXPECT_EQ(ListFiles(folder_.string(), "*.bin"), (std::vector<std::string>{"A.bin", "b.bin", "link.bin", "\xff.bin"}));
    EXPECT_TRUE(ListFiles(File("gone"), "*.bin").empty());
}

}  // namespace
}  // namespace sonavel
