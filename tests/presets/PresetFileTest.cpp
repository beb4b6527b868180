#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "presets/FolderListing.h"
#include "presets/PresetFile.h"
#include "presets/PresetPath.h"
#include "presets/WholeFile.h"
#include "tests/support/Folder.h"

namespace sonavel {
namespace {

namespace fs = std::filesystem;

PresetRecord Named(const std::string& name) {
    PresetRecord record;
    record.SetPresetName(name);
    return record;
}

// Failed writes (a full disk, a name taken meanwhile) leave every file as it was: the command-line
// tool's file tests run its saves into a file size limit and onto an existing file.
class PresetFileTest : public ::testing::Test {
protected:
    ~PresetFileTest() override { fs::remove_all(folder.path()); }  // names that are not UTF-8 too
    std::string File(const std::string& name) const { return folder.path() + "/" + name; }  // names as bytes
    test::Folder folder;
};

// Appending and reading the n-th record are the command-line tool's (its file and diff tests).
TEST_F(PresetFileTest, APartialRecordAtTheEndIsNeverWrittenOver) {
    const std::string path = File("abc.bin");
    ASSERT_TRUE(CreatePresetFile(path, {Named("first"), Named("second")}).ok());
    std::ofstream(path, std::ios::app) << "0123456789";
    EXPECT_EQ(CountPresetRecords(path).value(), 2);
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), Named("second"));
    EXPECT_NE(AppendPresetRecord(path, Named("third")).error().find("not a whole number of 690-byte records"), std::string::npos);
    EXPECT_EQ(fs::file_size(path), 1390u);
}

// Whatever a *.bin name stands for, reading and saving give an answer at once and change
// nothing but a regular file of whole records; a refused read names the path and the cause.
TEST_F(PresetFileTest, OnlyARegularFileOfWholeRecordsTakesASave) {
    std::ofstream(File("victim.txt")) << std::string(1000, 't');
    std::ofstream(File("short.bin")) << std::string(689, 'x');
    ASSERT_TRUE(CreatePresetFile(File("two.bin"), {Named("a"), Named("b")}).ok());
    ASSERT_EQ(::mkfifo(File("pipe.bin").c_str(), 0644), 0);
    fs::create_directory(File("folder.bin"));
    fs::create_symlink("loop.bin", File("loop.bin"));
    fs::create_symlink("victim.txt", File("text.bin"));
    fs::create_symlink("two.bin", File("link.bin"));
    fs::create_symlink("missing.bin", File("dangling.bin"));
    const struct {
        const char* name;
        bool read, saved;
        const char* readError;
    } cases[] = {{"pipe.bin", false, false, ""},   {"folder.bin", false, false, "folder"},
                 {"loop.bin", false, false, ""},   {"text.bin", true, false, ""},
                 {"dangling.bin", false, false, ""}, {"link.bin", true, true, ""},
                 {"short.bin", false, false, "shorter"}, {"none.bin", false, true, "no such file"},
                 {"no-folder/x.bin", false, false, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome<PresetRecord> read = ReadPresetRecord(File(c.name));
        EXPECT_EQ(read.ok(), c.read);
        if (!c.read) {
            EXPECT_NE(read.error().find(File(c.name)), std::string::npos) << read.error();
            EXPECT_NE(read.error().find(c.readError), std::string::npos) << read.error();
        }
        EXPECT_EQ(AppendPresetRecord(File(c.name), Named("new")).ok(), c.saved);
    }
    EXPECT_EQ(fs::file_size(File("victim.txt")), 1000u);
    EXPECT_EQ(ReadPresetRecord(File("two.bin"), 3).value(), Named("new"));
    EXPECT_FALSE(fs::exists(File("missing.bin")));
}

// New files take the umask, a replaced output keeps its mode, and a file name as long as the
// system allows has room for the temporary name beside it.
TEST_F(PresetFileTest, NewFilesHonourTheUmaskReplacedOnesKeepTheirModeAndNamesMayBeLong) {
    const std::string longest = File(std::string(251, 'n') + ".bin"), odd = File("\xff\xfe.csv");
    const mode_t saved = ::umask(027);
    const bool written = AppendPresetRecord(File("appended.bin"), Named("a")).ok() &&
                         CreatePresetFile(longest, {Named("b")}).ok() && WriteWholeOutput(odd, "new").ok();
    ::umask(saved);
    ASSERT_TRUE(written);
    for (const std::string& path : {File("appended.bin"), longest, odd})
        EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640)) << path;
    fs::permissions(odd, fs::perms(0604));
    ASSERT_TRUE(WriteWholeOutput(odd, "again").ok());
    EXPECT_EQ(fs::status(odd).permissions(), fs::perms(0604));
    EXPECT_EQ(fs::file_size(odd), 5u);
    EXPECT_FALSE(WriteWholeOutput(File("no-folder/x.csv"), "x").ok());
    EXPECT_EQ(folder.count(), 3);
}

// Text inputs: none of these may block or read without end; each is refused at once.
TEST_F(PresetFileTest, TextInputsAreOnlyRegularFilesUpToTheCap) {
    fs::create_directory(File("folder.json"));
    fs::create_symlink("loop.json", File("loop.json"));
    std::ofstream(File("big.json")) << std::string(kMaxTextInputBytes + 1, ' ');
    std::filesystem::resize_file(File("big.json"), 1ull << 30);  // sparse: no time to read
    std::ofstream(File("fits.json")) << std::string(kMaxTextInputBytes, ' ');
    const struct {
        std::string path, error;
    } refused[] = {
        {"/dev/zero", "/dev/zero: is not a regular file"},
        {File("folder.json"), File("folder.json") + ": is a folder"},
        {File("loop.json"), File("loop.json") + ": cannot open: Too many levels of symbolic links"},
        {File("none.json"), File("none.json") + ": cannot open: No such file or directory"},
        {File("big.json"), File("big.json") + ": larger than 1048576 bytes, the most an input may hold"},
    };
    for (const auto& c : refused) EXPECT_EQ(ReadTextInput(c.path).error(), c.error);
    EXPECT_EQ(ReadTextInput(File("fits.json")).value().size(), kMaxTextInputBytes);
}

TEST_F(PresetFileTest, ListsRegularFilesByTheirBytesAndNothingElse) {
    for (const char* name : {"b.bin", "\xff.bin", "A.bin", "c.txt", ".hidden.bin"}) std::ofstream(File(name)) << "x";
    ASSERT_EQ(::mkfifo(File("pipe.bin").c_str(), 0644), 0);
    fs::create_directory(File("folder.bin"));
    fs::create_symlink("loop.bin", File("loop.bin"));
    fs::create_symlink("b.bin", File("link.bin"));
    EXPECT_EQ(ListFiles(folder.path(), "*.bin"), (std::vector<std::string>{"A.bin", "b.bin", "link.bin", "\xff.bin"}));
    EXPECT_TRUE(ListFiles(File("gone"), "*.bin").empty());
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
