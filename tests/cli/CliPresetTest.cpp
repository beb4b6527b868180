// The commands on files: presets made, shown, compared and plotted, filter lists imported and
// exported, help and bad input, size limits, standard streams, special files and names that are bytes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "CliRunner.h"
#include "cli/Commands.h"
#include "cli/LoadedPreset.h"
#include "cli/PlotPicture.h"
#include "model/ScaleTables.h"
#include "response/ResponsePlot.h"

namespace sonavel::cli::test {
namespace {

// Row k of a CSV file as numbers, after checking its header.
std::vector<double> Row(const std::string& csv, const std::string& header, int k) {
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, header);
    for (int i = 0; i <= k; ++i) std::getline(lines, line);
    std::vector<double> row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) row.push_back(std::strtod(cell.c_str(), nullptr));
    return row;
}

TEST(CliPreset, ValuesInTheirUnitsBothWaysAndOffTheGridRefused) {
    Folder folder;
    MakePreset(folder, R"({"EqGain": [[{"dB": -3}, {"raw": 36, "dB": -6}, 24, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]],
        "GainLevel": [{"dB": "Mute"}, {"dB": -60}, 121, 121], "CompRatio": [{"ratio": "Limiter"}, {"ratio": "1:4"}],
        "LpType": [{"type": "Bessel -24dB/oct"}, 0]})", "u.bin");
    // Shown with the raw positions the file holds.
    const std::string shown = RunCli({"preset", "show", folder.file("u.bin")}).out;
    for (const char* text : {R"("EqGain": [[{"raw": 30, "dB": -3}, {"raw": 36, "dB": -6}, {"raw": 24, "dB": 0})",
                             R"("GainLevel": [{"raw": 0, "dB": "Mute"}, {"raw": 1, "dB": -60})",
                             R"("CompRatio": [{"raw": 100, "ratio": "Limiter"}, {"raw": 4, "ratio": "1:4"}])",
                             R"({"raw": 6, "type": "Bessel -24dB/oct"})"})
        EXPECT_NE(shown.find(text), std::string::npos) << text;

    // Each refusal ends in its error line, and no file is left.
    for (const auto& [json, message] : std::vector<std::pair<std::string, std::string>>{
             {R"({"EqGain": [[{"dB": -3.2}, 24, 24, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]]})",
              "EqGain(1,1) = -3.2 dB is not a step the unit can take; the nearest are -3.5 and -3 dB"},
             {R"({"CompThreshold": [{"dB": 3}, 100]})", "CompThreshold(1) = 3 dB is outside -50 .. 0 dB"},
             {R"({"DelaySamples": [{"raw": 2, "ms": 1}, 1]})", "\"raw\" 2 and \"ms\" (position 49) disagree"},
             {R"({"EqGian": [1]})", "unknown field \"EqGian\""},
             {R"({"EqGain": [[24,24,24,24,24,24,49],[24,24,24,24,24,24,24]]})", "EqGain(1,7) = 49 is outside 0..48"},
             {R"({"PresetName": "a", "PresetName": "b"})", "PresetName is given twice"},
             {R"({"PresetName": "\u4e2d"})", "PresetName holds characters that Windows-1252 cannot hold"}})
        EXPECT_TRUE(Ended(RunCli({"preset", "make", "-", folder.file("bad.bin")}, json), 1, message));
    EXPECT_EQ(folder.count(), 1);
}

TEST(CliPreset, PlotGivesTheResponseCoresCurvesSegmentsAndPicture) {
    Folder folder;
    MakePreset(folder, R"({"EqGain": [[24, 24, 24, 24, 24, 24, 24], [24, 24, 36, 24, 24, 24, 24]],
        "LpType": [0, 0], "HpType": [0, 0]})", "d.bin");
    ASSERT_EQ(RunCli({"plot", folder.file("d.bin"), "--csv", folder.file("d.csv")}).exitCode, 0);
    ASSERT_EQ(RunCli({"plot", folder.file("d.bin"), "--csv", folder.file("p.csv"), "--plot-units", "--segments",
                      folder.file("s.csv"), "--png", folder.file("d.png")}).exitCode, 0);
    ResponsePlot plot;
    plot.RefreshAllBands(LoadedPresetFile(folder.file("d.bin")));

    // Channel 2's band 3 cuts at 1000 Hz: that row in Hz and dB and in plot units, and the first segment.
    const int at1000Hz = int(std::find(FregData.begin(), FregData.end(), 1000) - FregData.begin());
    const int point = plot.positions().pointOf(at1000Hz);
    const double sum1 = At(plot.SumCurve(1), point), sum2 = At(plot.SumCurve(2), point);
    EXPECT_EQ(Row(folder.read("d.csv"), "frequency_hz,channel1_db,channel2_db", at1000Hz),
              (std::vector<double>{1000, -sum1 / 52, -sum2 / 52}));
    EXPECT_EQ(Row(folder.read("p.csv"), "point,channel1,channel2", point - 2),
              (std::vector<double>{1. * point, sum1, sum2}));
    const PlotSegment& s = plot.segments().front();
    EXPECT_EQ(Row(folder.read("s.csv"), "channel,x1,y1,x2,y2", 0),
              (std::vector<double>{1. * s.channel, s.x1, s.y1, s.x2, s.y2}));

    // Channel 2 in its own colour where the curves part.
    const QImage picture = QImage(QString::fromStdString(folder.file("d.png"))).convertToFormat(QImage::Format_RGB32);
    const QRgb* pixels = reinterpret_cast<const QRgb*>(picture.constBits());
    EXPECT_GT(std::count(pixels, pixels + picture.width() * picture.height(), (0xFF000000 | kChannel2CurveRgb)), 100);
}

TEST(CliPreset, DiffListsTheChangedValuesWithTheirUnits) {
    Folder folder;
    MakePreset(folder, "{}", "a.bin");
    MakePreset(folder, R"({"PresetName": "b", "EqGain": [[24, 24, 30, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]],
        "DelaySamples": [1, 49], "GainLevel": [121, 0, 121, 121]})", "b.bin");
    const CliRun differ = RunCli({"preset", "diff", folder.file("a.bin"), folder.file("b.bin")});
    EXPECT_EQ(differ.exitCode, 1);
    EXPECT_EQ(differ.out, "PresetName: \"\" -> \"b\"\nGainLevel(2): 0 dB (121) -> Mute (0)\n"
                          "DelaySamples(2): 0 ms (1) -> 1 ms (49)\nEqGain(1,3): 0 dB (24) -> -3 dB (30)\n");

    // --record given twice picks a record of each file in turn.
    const std::string a = folder.file("a.bin"), b = folder.file("b.bin");
    ASSERT_EQ(RunCli({"preset", "make", "-", b, "--append"}, "{}").exitCode, 0);
    const CliRun same = RunCli({"preset", "diff", a, b, "--record", "1", "--record", "2"});
    EXPECT_TRUE(same.exitCode == 0 && same.out.empty()) << same.out;
}

TEST(CliPreset, HelpAndBadInputAreOneLineWithNoFileLeft) {
    const CliRun help = RunCli({"scan", "--help"});
    EXPECT_TRUE(help.exitCode == 0 && help.out.starts_with("usage: sonavel-cli scan --port P")) << help.out;

    Folder folder;
    const CliRun missing = RunCli({"preset", "make", folder.file("ok.json"), folder.file("ok.bin")});
    EXPECT_EQ(missing.err, "sonavel-cli: " + folder.file("ok.json") + ": cannot open: No such file or directory\n");
    EXPECT_TRUE(Ended(RunCli({"preset", "show", folder.file("ok.bin"), "--record", "0"}), 2,
                      "--record \"0\" is not a whole number of 1 or more"));

    MakePreset(folder, R"({"GainLevel": [0, 0, 0, 0]})", "gain.bin");
    std::string record = folder.read("gain.bin");
    folder.write("gain.bin", record.replace(102, 1, "\x92"));  // GainLevel(1) 146 fails the load
    const CliRun plot = RunCli({"plot", folder.file("gain.bin"), "--csv", folder.file("out.csv")});
    EXPECT_TRUE(Ended(plot, 1) && plot.err.find('\n') == plot.err.size() - 1) << plot.err;
    EXPECT_EQ(folder.count(), 1);  // no CSV
}

// A faulty list is refused with every line and nothing written.
TEST(CliEq, ImportIntoARecordReportsExportGivesTheFiltersBackAndAFaultyListIsRefused) {
    Folder folder;
    MakePreset(folder, R"({"PresetName": "one"})", "base.bin");
    const std::string second = R"({"PresetName": "rack", "LpType": [0, 3], "HpType": [2, 0]})";
    ASSERT_EQ(RunCli({"preset", "make", "-", folder.file("base.bin"), "--append"}, second).exitCode, 0);
    folder.write("room.txt", "Filter Settings file\r\nPreamp: -6.2 dB\r\n"
                             "Filter 1: ON PK Fc 105.4 Hz Gain 6.3 dB Q 0.70\r\n"
                             "Filter 2: ON HSC Fc 10000 Hz Gain -3.0 dB\r\n"
                             "Filter 3: ON HPQ Fc 40 Hz Q 0.6 Slope 24 dB\r\n");
    ASSERT_TRUE(Ended(RunCli({"eq", "import", folder.file("room.txt"), folder.file("out.bin"), "--into",
                              folder.file("base.bin"), "--record", "2", "--channel", "2"}), 0));
    EXPECT_EQ(ShowPreset(folder, "out.bin")["HpType"].toArray(), (QJsonArray{2, 7}));
    const CliRun exported = RunCli({"eq", "export", folder.file("out.bin"), "--channel", "2"});
    EXPECT_EQ(exported.out, "# rack, record 1, channel 2\nPreamp: -6.0 dB\n"
                            "Filter 1: ON PK Fc 105 Hz Gain 6.5 dB Q 0.71\nFilter 2: ON HSC Fc 10000 Hz Gain -3.0 dB\n"
                            "# Low-pass: Linkwitz-Riley -12dB/oct\nFilter 3: ON LPQ Fc 1000 Hz Q 0.55 Slope 12 dB\n"
                            "# High-pass: Linkwitz-Riley -24dB/oct\nFilter 4: ON HPQ Fc 40 Hz Q 0.6 Slope 24 dB\n");

    const std::string bad = folder.file("bad.txt");
    folder.write("bad.txt", "Filter 1: ON PK Fc 100 Hz Gain 13 dB Q 1\nFilter 2: ON NOTCH Fc 100 Hz\n");
    EXPECT_TRUE(Ended(RunCli({"eq", "import", bad, folder.file("bad.bin")}), 1,
                      bad + ":1: gain 13 dB beyond +-12 dB\n" + bad + ":2: unknown filter type \"NOTCH\"\n" +
                          "sonavel-cli: " + bad + ": 2 problems (--fit keeps what fits)\n"));
    EXPECT_EQ(folder.count(), 4);
}

// The tool lives to report the failed write: no partial record, no advice that does not apply.
TEST(CliFiles, AWritePastAFileSizeLimitFailsAndLeavesTheFileAsItWas) {
    Folder folder;
    MakePreset(folder, "{}", "one.bin");
    const std::string one = folder.read("one.bin");
    // `ulimit -f 2` leaves no room for a second record.
    const CliRun run = RunCli({"preset", "make", "--append", "-", folder.file("one.bin")}, "{}", 1024);
    EXPECT_TRUE(Ended(run, 1, "File too large"));
    EXPECT_EQ(run.err.find("--append"), std::string::npos) << run.err;
    EXPECT_EQ(folder.read("one.bin"), one);
    EXPECT_EQ(folder.count(), 1);
}

// Names with bytes that are no text are tried in the test's own process, since a child's
// arguments cannot carry them here.
TEST(CliFiles, StandardStreamsServeAsFilesOtherSpecialFilesAreRefusedAtOnceAndNamesAreBytes) {
    Folder folder;
    MakePreset(folder, "{}", "in.bin");
    EXPECT_EQ(RunCli({"plot", folder.file("in.bin"), "--csv", "-"}).out.substr(0, 13), "frequency_hz,");
    ASSERT_EQ(::mkfifo(folder.file("pipe.json").c_str(), 0644), 0);
    EXPECT_TRUE(Ended(RunCli({"preset", "make", folder.file("pipe.json"), folder.file("out.bin")}), 1,
                      "pipe.json: is not a regular file"));
    EXPECT_TRUE(Ended(RunCli({"preset", "make", "-", folder.file("in.bin")}, "{}"), 1,
                      "already exists; not overwritten (use --append to add a record)"));

    const std::string odd = folder.path() + "/\xff";
    folder.write("odd.json", "{}");
    PresetMake({folder.file("odd.json"), odd + ".bin"});
    Plot({odd + ".bin", "--csv", odd + ".csv"});
    EXPECT_EQ(std::filesystem::file_size(odd + ".bin"), 690u);
    EXPECT_EQ(folder.count(), 5);
    for (const char* made : {".bin", ".csv"}) std::filesystem::remove(odd + made);  // beyond what the folder can remove
}

}  // namespace
}  // namespace sonavel::cli::test
