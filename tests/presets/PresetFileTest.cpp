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

using namespace sonavel;
namespace fs = std::filesystem;

// Failed writes into a size limit or onto an existing file, and reading the n-th record, are the
// command-line tool's file tests.
class PresetFileTest : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder.file(name); }
    test::Folder folder;
};

TEST_F(PresetFileTest, APartialRecordAtTheEndIsNeverWrittenOver) {
    const std::string path = File("abc.bin");
    PresetRecord second;
    second.SetPresetName("second");
    ASSERT_TRUE(CreatePresetFile(path, {PresetRecord{}, second}).ok());
    std::ofstream(path, std::ios::app) << "0123456789";
    EXPECT_EQ(CountPresetRecords(path).value(), 2);
    EXPECT_EQ(ReadPresetRecord(path, 2).value(), second);
    EXPECT_NE(AppendPresetRecord(path, second).error().find("not a whole number of 690-byte records"), std::string::npos);
    EXPECT_EQ(fs::file_size(path), 1390u);
}

// Whatever a *.bin name stands for, reading, saving and listing answer at once: only regular
// files of whole records are read and saved, only regular files listed, sorted by their bytes.
TEST_F(PresetFileTest, OnlyRegularFilesOfWholeRecordsAreReadSavedAndListed) {
    for (const char* name : {"b.bin", "\xff.bin", "A.bin", "c.txt", ".hidden.bin"}) std::ofstream(File(name)) << "x";
    ASSERT_EQ(::mkfifo(File("pipe.bin").c_str(), 0644), 0);
    fs::create_directory(File("folder.bin"));
    fs::create_symlink("loop.bin", File("loop.bin"));
    fs::create_symlink("b.bin", File("link.bin"));
    fs::create_symlink("missing.bin", File("dangling.bin"));
    EXPECT_EQ(ListFiles(folder.path(), "*.bin"), (std::vector<std::string>{"A.bin", "b.bin", "link.bin", "\xff.bin"}));
    EXPECT_TRUE(ListFiles(File("gone"), "*.bin").empty());

    const std::pair<const char*, const char*> refused[] = {
        {"pipe.bin", "is not a regular file"}, {"folder.bin", "is a folder"}, {"loop.bin", "cannot open"},
        {"dangling.bin", "no such file"}, {"link.bin", "1 bytes, shorter than one preset record"}};
    for (const auto& [name, error] : refused) {
        SCOPED_TRACE(name);
        const std::string read = ReadPresetRecord(File(name)).error();
        EXPECT_EQ(read.find(File(name) + ": " + error), 0u) << read;
        EXPECT_FALSE(AppendPresetRecord(File(name), PresetRecord{}).ok());
    }
    EXPECT_FALSE(fs::exists(File("missing.bin")));

    std::ofstream(File("fits.json")) << std::string(kMaxTextInputBytes, ' ');
    std::ofstream(File("big.json")) << std::string(kMaxTextInputBytes + 1, ' ');
    EXPECT_EQ(ReadTextInput(File("fits.json")).value().size(), kMaxTextInputBytes);
    EXPECT_EQ(ReadTextInput(File("big.json")).error(),
              File("big.json") + ": larger than 1048576 bytes, the most an input may hold");
    EXPECT_EQ(ReadTextInput(File("folder.bin")).error(), File("folder.bin") + ": is a folder");
}

// New files take the umask, a replaced output keeps its mode, no temporary file stays, and a
// file name as long as the system allows has room for the temporary name beside it.
TEST_F(PresetFileTest, NewFilesHonourTheUmaskReplacedOnesKeepTheirModeAndNamesMayBeLong) {
    const std::string longest = File(std::string(251, 'n') + ".bin"), output = File("out.csv");
    const mode_t saved = ::umask(027);
    const bool written = AppendPresetRecord(File("appended.bin"), PresetRecord{}).ok() &&
                         CreatePresetFile(longest, {PresetRecord{}}).ok() && WriteWholeOutput(output, "new").ok();
    ::umask(saved);
    ASSERT_TRUE(written);
    for (const std::string& path : {File("appended.bin"), longest, output})
        EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640)) << path;
    fs::permissions(output, fs::perms(0604));
    ASSERT_TRUE(WriteWholeOutput(output, "again").ok());
    EXPECT_EQ(fs::status(output).permissions(), fs::perms(0604));
    EXPECT_EQ(fs::file_size(output), 5u);
    EXPECT_EQ(folder.count(), 3);
}

TEST(PresetPath, JoinsWithOneSeparatorAndRefusesWhatCannotBeAFileName) {
    EXPECT_EQ(PresetPath("/", "abc.bin").value(), "/abc.bin");
    EXPECT_EQ(SavePathForName("/tmp", "My Preset").value(), "/tmp/My Preset.bin");
    EXPECT_FALSE(PresetPath("/" + std::string(4200, 'd'), "abc.bin").ok());  // never cut
    for (const std::string& bad : {std::string(" \t "), std::string("a/b"), std::string(".."),
                                   std::string("a\0b", 3), std::string(252, 'n')})
        EXPECT_FALSE(SavePathForName("/tmp", bad).ok()) << bad;
    for (const std::string& good : {std::string("..."), std::string(251, 'n')})
        EXPECT_TRUE(SavePathForName("/tmp", good).ok()) << good;
}
