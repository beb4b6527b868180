// The commands on files: presets made, shown, compared and plotted, filter lists imported and
// exported, help and bad input.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <sstream>

#include "CliRunner.h"
#include "cli/PlotPicture.h"
#include "cli/PresetJson.h"
#include "model/BulkChange.h"
#include "model/ScaleTables.h"
#include "response/ResponsePlot.h"

namespace sonavel::cli::test {
namespace {

// The rows of a CSV file as numbers, after checking its header.
std::vector<std::vector<double>> Rows(const std::string& csv, const std::string& header) {
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, header);
    std::vector<std::vector<double>> rows;
    while (std::getline(lines, line)) {
        std::vector<double>& row = rows.emplace_back();
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) row.push_back(std::strtod(cell.c_str(), nullptr));
    }
    return rows;
}

TEST(CliPreset, ValuesInTheirUnitsBothWaysAndOffTheGridRefused) {
    Folder folder;
    MakePreset(folder, R"({"EqGain": [[{"dB": -3}, {"raw": 36, "dB": -6}, 24, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]],
        "EqQFactor": [[{"Q": 1.4}, 0, 0, 0, 0, 0, 0], [0, 0, 0, 0, 0, 0, 0]], "DelaySamples": [{"ms": 1}, 1],
        "GainLevel": [{"dB": "Mute"}, {"dB": -60}, 121, 121], "CompThreshold": [{"dB": -10}, 100],
        "CompRatio": [{"ratio": "Limiter"}, {"ratio": "1:4"}], "LpType": [{"type": "Bessel -24dB/oct"}, 0]})",
               "u.bin");
    // Shown with the raw positions the file holds.
    const CliRun shown = RunCli({"preset", "show", folder.file("u.bin")});
    for (const char* text : {R"("EqGain": [[{"raw": 30, "dB": -3}, {"raw": 36, "dB": -6}, {"raw": 24, "dB": 0})",
                             R"("EqQFactor": [[{"raw": 22, "Q": 1.4})",
                             R"("DelaySamples": [{"raw": 49, "ms": 1}, {"raw": 1,)",
                             R"("CompThreshold": [{"raw": 80, "dB": -10}, {"raw": 100, "dB": 0}])",
                             R"("GainLevel": [{"raw": 0, "dB": "Mute"}, {"raw": 1, "dB": -60})",
                             R"("CompRatio": [{"raw": 100, "ratio": "Limiter"}, {"raw": 4, "ratio": "1:4"}])",
                             R"({"raw": 6, "type": "Bessel -24dB/oct"})", R"("EqByPass": [[0, 0,)"})
        EXPECT_NE(shown.out.find(text), std::string::npos) << text;


    // Each refusal is one line, and no file is left.
    const int before = folder.count();
    for (const auto& [json, message] : std::vector<std::pair<std::string, std::string>>{
             {R"({"EqGain": [[{"dB": -3.2}, 24, 24, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]]})",
              "EqGain(1,1) = -3.2 dB is not a step the unit can take; the nearest are -3.5 and -3 dB"},
             {R"({"CompThreshold": [{"dB": 3}, 100]})", "CompThreshold(1) = 3 dB is outside -50 .. 0 dB"},
             {R"({"CompRatio": [{"ratio": "1:40"}, 1]})", "\"1:40\" is not one of \"1:1\""},
             {R"({"DelaySamples": [{"raw": 2, "ms": 1}, 1]})", "\"raw\" 2 and \"ms\" (position 49) disagree"},
             {R"({"DelaySamples": [{"dB": 1}, 1]})", "has no \"dB\"; its unit is \"ms\""},
             {R"({"EqGain": [[24,24,24)", "not valid JSON at character 21: ',' or ']' is missing"},
             {R"({"EqGian": [1]})", "unknown field \"EqGian\""},
             {R"({"EqGain": [[24,24,24,24,24,24,49],[24,24,24,24,24,24,24]]})", "EqGain(1,7) = 49 is outside 0..48"},
             {R"({"PresetName": "a", "PresetName": "b"})", "PresetName is given twice"},
             {R"({"CompAttack": [1.5, 0]})", "CompAttack(1) must be a whole number (a raw position)"},
             {R"({"PresetName": "\u4e2d"})", "PresetName holds characters that Windows-1252 cannot hold"}}) {
        folder.write("bad.json", json);
        const CliRun run = RunCli({"preset", "make", folder.file("bad.json"), folder.file("bad.bin")});
        EXPECT_TRUE(Ended(run, 1, message));
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    EXPECT_EQ(folder.count(), before + 1);  // bad.json
}

TEST(CliPreset, PlotGivesTheResponseCoresCurvesSegmentsAndPicture) {
    Folder folder;
    MakePreset(folder, R"({"EqGain": [[24, 24, 24, 24, 24, 24, 24], [24, 24, 36, 24, 24, 24, 24]],
        "LpType": [0, 0], "HpType": [0, 0]})", "d.bin");
    ASSERT_EQ(RunCli({"plot", folder.file("d.bin"), "--csv", folder.file("d.csv")}).exitCode, 0);
    ASSERT_EQ(RunCli({"plot", folder.file("d.bin"), "--csv", folder.file("p.csv"), "--plot-units", "--segments",
                      folder.file("s.csv"), "--png", folder.file("d.png")}).exitCode, 0);
    ParameterStore store;
    InitDSPPremeter(store);
    store.EqGain(2, 3) = 36;
    store.LpType(1) = store.LpType(2) = store.HpType(1) = store.HpType(2) = 0;
    BringStoreInLine(store);
    ResponsePlot plot;
    plot.RefreshAllBands(store);

    // In plot units per point; in Hz and dB, one row per equalizer frequency; the segments drawn.
    std::vector<std::vector<double>> curves, levels, segments;
    for (int point = 2; point <= 510; ++point)
        curves.push_back({double(point), At(plot.SumCurve(1), point), At(plot.SumCurve(2), point)});
    for (int s = 0; s <= 300; ++s) {
        const int point = plot.positions().pointOf(s);
        levels.push_back({FregData[s], -At(plot.SumCurve(1), point) / 52, -At(plot.SumCurve(2), point) / 52});
    }
    for (const PlotSegment& s : plot.segments()) segments.push_back({double(s.channel), s.x1, s.y1, s.x2, s.y2});
    EXPECT_EQ(Rows(folder.read("p.csv"), "point,channel1,channel2"), curves);
    EXPECT_EQ(Rows(folder.read("d.csv"), "frequency_hz,channel1_db,channel2_db"), levels);
    EXPECT_EQ(Rows(folder.read("s.csv"), "channel,x1,y1,x2,y2"), segments);
    // Channel 2's band 3 cuts 6 dB at 1000 Hz.
    const auto at1000Hz = std::find(FregData.begin(), FregData.end(), 1000) - FregData.begin();
    EXPECT_NEAR(levels[at1000Hz][2] - levels[at1000Hz][1], -6, 0.5);

    const QImage picture = QImage::fromData(QByteArray::fromStdString(folder.read("d.png")), "PNG");
    std::map<QRgb, int> pixels;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) ++pixels[picture.pixel(x, y) & 0xFFFFFF];
    EXPECT_GT(pixels[kCurveColourRgb], 100);
    EXPECT_GT(pixels[kChannel2CurveRgb], 100);  // channel 2 in its own colour where the curves part
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
    const CliRun same = RunCli({"preset", "diff", folder.file("a.bin"), folder.file("a.bin")});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.out, "");

    // --record picks the records: given once for both files, twice for each in turn.
    ASSERT_EQ(RunCli({"preset", "make", folder.file("a.bin.json"), folder.file("b.bin"), "--append"}).exitCode, 0);
    const std::string a = folder.file("a.bin"), b = folder.file("b.bin");
    EXPECT_EQ(RunCli({"preset", "diff", a, b, "--record", "1", "--record", "2"}).exitCode, 0);
    EXPECT_EQ(RunCli({"preset", "diff", b, b, "--record", "2"}).exitCode, 0);
    EXPECT_EQ(RunCli({"preset", "diff", a, a, "--record", "2"}).exitCode, 2);
    EXPECT_EQ(RunCli({"preset", "diff", a, folder.file("missing.bin")}).exitCode, 2);
}

TEST(CliPreset, HelpAndBadInputAreOneLineWithNoFileLeft) {
    for (const std::vector<std::string>& asked : {std::vector<std::string>{"scan", "--help"}, {"help", "scan"}}) {
        const CliRun help = RunCli(asked);
        EXPECT_TRUE(help.exitCode == 0 && help.out.starts_with("usage: sonavel-cli scan --port P")) << help.out;
    }
    EXPECT_EQ(RunCli({"help", "frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunCli({}).exitCode, 2);

    Folder folder;
    const CliRun missing = RunCli({"preset", "make", folder.file("ok.json"), folder.file("ok.bin")});
    EXPECT_EQ(missing.err, "sonavel-cli: " + folder.file("ok.json") + ": cannot open: No such file or directory\n");
    EXPECT_TRUE(Ended(RunCli({"preset", "show", folder.file("ok.bin"), "--record", "0"}), 2,
                      "--record \"0\" is not a whole number of 1 or more"));

    MakePreset(folder, R"({"GainLevel": [0, 0, 0, 0]})", "gain.bin");
    std::string record = folder.read("gain.bin");
    folder.write("gain.bin", record.replace(102, 1, "\x92"));  // GainLevel(1) 146 fails the load
    const std::string made = folder.read("gain.bin");
    std::vector<std::vector<std::string>> bad = {
        {"preset", "make", folder.file("ok.json"), folder.file("gain.bin")},
        {"plot", folder.file("gain.bin"), "--csv", folder.file("out.csv")},
        {"preset", "show", folder.file("gain.bin"), "--colour"},
    };
    folder.write("ok.json", "{\"EqGain\": [[24,24,24");
    const int before = folder.count();
    for (const auto& args : bad) {
        const CliRun run = RunCli(args);
        EXPECT_TRUE(run.failedWithMessage() && run.err.find('\n') == run.err.size() - 1)
            << args.back() << ": exit " << run.exitCode << " " << run.err;
    }
    EXPECT_EQ(folder.count(), before);
    EXPECT_EQ(folder.read("gain.bin"), made);
}

// A faulty list is refused with every line and nothing written.
TEST(CliEq, ImportIntoARecordReportsExportGivesTheFiltersBackAndAFaultyListIsRefused) {
    Folder folder;
    MakePreset(folder, R"({"PresetName": "one"})", "base.bin");
    folder.write("second.json", R"({"PresetName": "rack", "LpType": [0, 3], "HpType": [2, 0]})");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("second.json"), folder.file("base.bin"), "--append"}).exitCode, 0);
    folder.write("room.txt", "Filter Settings file\r\nPreamp: -6.2 dB\r\n"
                             "Filter 1: ON PK Fc 105.4 Hz Gain 6.3 dB Q 0.70\r\n"
                             "Filter 2: ON HSC Fc 10000 Hz Gain -3.0 dB\r\n"
                             "Filter 3: ON HPQ Fc 40 Hz Q 0.6 Slope 24 dB\r\n");
    const CliRun run = RunCli({"eq", "import", folder.file("room.txt"), folder.file("out.bin"), "--into",
                               folder.file("base.bin"), "--record", "2", "--channel", "2", "--json", "--png",
                               folder.file("out.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(report["filters"].toArray().size(), 3);
    const QJsonObject channel = report["channels"].toArray()[0].toObject();
    EXPECT_EQ(channel["channel"].toInt(), 2);
    EXPECT_NEAR(channel["largestDifferenceDb"].toDouble(), 0.3, 0.2);
    EXPECT_EQ(channel["keptFromBase"].toArray()[0].toString(), "low-pass: Linkwitz-Riley -12dB/oct 1000 Hz");
    EXPECT_EQ(QImage(QString::fromStdString(folder.file("out.png"))).size(), QSize(900, 540));

    const QJsonObject preset = ShowPreset(folder, "out.bin");
    EXPECT_EQ(preset["PresetName"].toString(), "rack");
    EXPECT_EQ(preset["HpType"].toArray(), (QJsonArray{2, 7}));
    const CliRun exported = RunCli({"eq", "export", folder.file("out.bin"), "--channel", "2"});
    EXPECT_EQ(exported.out, "# rack, record 1, channel 2\nPreamp: -6.0 dB\n"
                            "Filter 1: ON PK Fc 105 Hz Gain 6.5 dB Q 0.71\nFilter 2: ON HSC Fc 10000 Hz Gain -3.0 dB\n"
                            "# Low-pass: Linkwitz-Riley -12dB/oct\nFilter 3: ON LPQ Fc 1000 Hz Q 0.55 Slope 12 dB\n"
                            "# High-pass: Linkwitz-Riley -24dB/oct\nFilter 4: ON HPQ Fc 40 Hz Q 0.6 Slope 24 dB\n");

    folder.write("bad.txt", "Filter 1: ON PK Fc 100 Hz Gain 13 dB Q 1\nFilter 2: ON NOTCH Fc 100 Hz\n");
    const int before = folder.count();
    const CliRun refused = RunCli({"eq", "import", folder.file("bad.txt"), folder.file("bad.bin")});
    EXPECT_TRUE(refused.failedWithMessage()) << refused.err;
    for (const char* line : {"bad.txt:1: gain 13 dB beyond +-12 dB\n", "bad.txt:2: unknown filter type \"NOTCH\"\n",
                             "2 problems (--fit keeps what fits)"})
        EXPECT_NE(refused.err.find(line), std::string::npos) << refused.err;
    EXPECT_EQ(folder.count(), before);
}

// In the test's own process: presets as JSON read back exactly what was written.
TEST(PresetJson, EveryFieldAtItsLimitsReadsBackFromItsJsonWithAndWithoutUnits) {
    for (const bool atMaximum : {false, true}) {
        PresetRecord record;
        for (const RecordField& entry : PresetRecordFields())
            for (int i = 0; i < entry.field->Count(); ++i)
                record.SetValue(entry.offset + 2 * i, static_cast<int16_t>(atMaximum ? entry.field->max : entry.field->min));
        for (const bool withUnits : {true, false})
            EXPECT_EQ(PresetFromJson(PresetToJson(record, withUnits)), record) << atMaximum << withUnits;
    }
}

}  // namespace
}  // namespace sonavel::cli::test
