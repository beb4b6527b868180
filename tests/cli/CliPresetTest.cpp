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
    const QJsonObject raw = ShowPreset(folder, "u.bin");
    EXPECT_EQ(raw["EqGain"].toArray()[0].toArray(), (QJsonArray{30, 36, 24, 24, 24, 24, 24}));
    EXPECT_EQ(raw["EqQFactor"].toArray()[0].toArray()[0], 22);
    EXPECT_EQ(raw["DelaySamples"].toArray(), (QJsonArray{49, 1}));
    EXPECT_EQ(raw["GainLevel"].toArray(), (QJsonArray{0, 1, 121, 121}));
    EXPECT_EQ(raw["CompThreshold"].toArray(), (QJsonArray{80, 100}));
    EXPECT_EQ(raw["CompRatio"].toArray(), (QJsonArray{100, 4}));
    EXPECT_EQ(raw["LpType"].toArray(), (QJsonArray{6, 0}));

    const CliRun shown = RunCli({"preset", "show", folder.file("u.bin")});
    for (const char* text : {R"("EqGain": [[{"raw": 30, "dB": -3}, {"raw": 36, "dB": -6}, {"raw": 24, "dB": 0})",
                             R"("EqQFactor": [[{"raw": 22, "Q": 1.4})", R"({"raw": 49, "ms": 1})",
                             R"("GainLevel": [{"raw": 0, "dB": "Mute"}, {"raw": 1, "dB": -60})",
                             R"("CompRatio": [{"raw": 100, "ratio": "Limiter"}, {"raw": 4, "ratio": "1:4"}])",
                             R"({"raw": 6, "type": "Bessel -24dB/oct"})", R"("EqByPass": [[0, 0,)"})
        EXPECT_NE(shown.out.find(text), std::string::npos) << text;

    for (const auto& [json, message] : std::vector<std::pair<std::string, std::string>>{
             {R"({"EqGain": [[{"dB": -3.2}, 24, 24, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]]})",
              "EqGain(1,1) = -3.2 dB is not a step the unit can take; the nearest are -3.5 and -3 dB"},
             {R"({"CompThreshold": [{"dB": 3}, 100]})", "CompThreshold(1) = 3 dB is outside -50 .. 0 dB"},
             {R"({"CompRatio": [{"ratio": "1:40"}, 1]})", "\"1:40\" is not one of \"1:1\""},
             {R"({"DelaySamples": [{"raw": 2, "ms": 1}, 1]})", "\"raw\" 2 and \"ms\" (position 49) disagree"},
             {R"({"DelaySamples": [{"dB": 1}, 1]})", "has no \"dB\"; its unit is \"ms\""}}) {
        folder.write("bad.json", json);
        const CliRun run = RunCli({"preset", "make", folder.file("bad.json"), folder.file("bad.bin")});
        EXPECT_TRUE(run.failedWithMessage() && run.err.find(message) != std::string::npos) << run.err;
    }
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

    const auto rows = Rows(folder.read("p.csv"), "point,channel1,channel2");
    ASSERT_EQ(rows.size(), 509u);
    for (int point = 2; point <= 510; ++point)
        EXPECT_EQ(rows[point - 2], (std::vector<double>{double(point), At(plot.SumCurve(1), point),
                                                        At(plot.SumCurve(2), point)}));
    // In Hz and dB, one row per equalizer frequency: channel 2's band 3 cuts 6 dB at 1000 Hz.
    const auto levels = Rows(folder.read("d.csv"), "frequency_hz,channel1_db,channel2_db");
    ASSERT_EQ(levels.size(), 301u);
    for (int s = 0; s <= 300; ++s) {
        const int point = plot.positions().pointOf(s);
        EXPECT_EQ(levels[s], (std::vector<double>{FregData[s], -At(plot.SumCurve(1), point) / 52,
                                                  -At(plot.SumCurve(2), point) / 52}));
    }
    const auto at1000Hz = std::find(FregData.begin(), FregData.end(), 1000) - FregData.begin();
    EXPECT_NEAR(levels[at1000Hz][2] - levels[at1000Hz][1], -6, 0.5);

    const auto segments = Rows(folder.read("s.csv"), "channel,x1,y1,x2,y2");
    ASSERT_EQ(segments.size(), plot.segments().size());
    for (size_t i = 0; i < segments.size(); ++i) {
        const PlotSegment& s = plot.segments()[i];
        ASSERT_EQ(segments[i], (std::vector<double>{double(s.channel), s.x1, s.y1, s.x2, s.y2})) << i;
    }

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
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind("usage: sonavel-cli scan --port P", 0), 0u) << help.out;
    }
    EXPECT_EQ(RunCli({"help", "frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunCli({}).exitCode, 2);

    Folder folder;
    const CliRun missing = RunCli({"preset", "make", folder.file("ok.json"), folder.file("ok.bin")});
    EXPECT_EQ(missing.err, "sonavel-cli: " + folder.file("ok.json") + ": cannot open: No such file or directory\n");
    const CliRun zero = RunCli({"preset", "show", folder.file("ok.bin"), "--record", "0"});
    EXPECT_EQ(zero.exitCode, 2);
    EXPECT_NE(zero.err.find("--record \"0\" is not a whole number of 1 or more"), std::string::npos) << zero.err;

    MakePreset(folder, R"({"GainLevel": [0, 0, 0, 0]})", "gain.bin");
    std::string record = folder.read("gain.bin");
    folder.write("gain.bin", record.replace(102, 1, "\x92"));  // GainLevel(1) 146 fails the load
    folder.write("short.bin", std::string(689, '\0'));
    const std::string made = folder.read("gain.bin");
    std::vector<std::vector<std::string>> bad = {
        {"preset", "show", folder.file("short.bin")},
        {"preset", "make", folder.file("ok.json"), folder.file("gain.bin")},
        {"plot", folder.file("gain.bin"), "--csv", folder.file("out.csv")},
        {"plot", folder.file("gain.bin")},
        {"preset", "show", folder.file("gain.bin"), "--colour"},
    };
    int n = 0;
    for (const char* json : {"{\"EqGain\": [[24,24,24", R"({"EqGian": [1]})",
                             R"({"EqGain": [[24,24,24,24,24,24,49],[24,24,24,24,24,24,24]]})",
                             R"({"PresetName": "a", "PresetName": "b"})",
                             R"({"CompAttack": [1.5, 0]})", R"({"PresetName": "\u4e2d"})"}) {
        folder.write("bad" + std::to_string(++n), json);
        bad.push_back({"preset", "make", folder.file("bad" + std::to_string(n)), folder.file("out.bin")});
    }
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

}  // namespace
}  // namespace sonavel::cli::test
