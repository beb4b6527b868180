#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>
#include <sstream>

#include "CliRunner.h"
#include "model/StoreFields.h"
#include "presets/PresetRecord.h"
#include "presets/StoreRefresh.h"
#include "response/ResponsePlot.h"

namespace sonavel::cli::test {
namespace {

QJsonObject ParseObject(const std::string& json) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

std::vector<std::vector<double>> ParseCsv(const std::string& csv, std::string& header) {
    std::istringstream lines(csv);
    std::getline(lines, header);
    std::vector<std::vector<double>> rows;
    for (std::string line; std::getline(lines, line);) {
        std::vector<double> row;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');) row.push_back(std::strtod(cell.c_str(), nullptr));
        rows.push_back(row);
    }
    return rows;
}

// Every carried field with a value of its own, different from its neighbours and the defaults.
QJsonObject EveryFieldJson() {
    QJsonObject object{{"PresetName", QString::fromUtf8("Round trip \xE2\x80\x93 \xC3\xBC")}};
    int seed = 3;
    for (const RecordField& entry : PresetRecordFields()) {
        const StoreField& f = *entry.field;
        auto next = [&] { return f.min + (seed++ * 7) % (f.max - f.min + 1); };
        QJsonArray values;
        if (f.shape == FieldShape::PerBand) {
            for (int ch = 0; ch < 2; ++ch) {
                QJsonArray bands;
                for (int band = 0; band < 7; ++band) bands.append(next());
                values.append(bands);
            }
        } else {
            for (int i = 0; i < f.Count(); ++i) values.append(next());
        }
        object[QString::fromUtf8(f.name.data(), static_cast<int>(f.name.size()))] = values;
    }
    return object;
}

TEST(CliPreset, MakeThenShowGivesBackEveryField) {
    Folder folder;
    const QJsonObject input = EveryFieldJson();
    folder.write("in.json", QJsonDocument(input).toJson().toStdString());
    ASSERT_EQ(RunCli({"preset", "make", folder.file("in.json"), folder.file("p.bin")}).exitCode, 0);
    EXPECT_EQ(folder.read("p.bin").size(), 690u);

    const CliRun shown = RunCli({"preset", "show", folder.file("p.bin")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const QJsonObject output = ParseObject(shown.out);
    EXPECT_EQ(output.size(), 17);  // the name and the 16 fields a record carries
    EXPECT_EQ(output, input);

    // A second record goes after the first; --record picks it.
    folder.write("two.json", R"({"PresetName": "two", "EqGain": [[0,1,2,3,4,5,6],[7,8,9,10,11,12,13]]})");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("two.json"), folder.file("p.bin"), "--append"}).exitCode, 0);
    EXPECT_EQ(folder.read("p.bin").size(), 1380u);
    EXPECT_EQ(ParseObject(RunCli({"preset", "show", folder.file("p.bin")}).out), input);
    const QJsonObject second = ParseObject(RunCli({"preset", "show", folder.file("p.bin"), "--record", "2"}).out);
    EXPECT_EQ(second["PresetName"].toString(), "two");
    EXPECT_EQ(second["EqGain"].toArray()[1].toArray()[6].toInt(), 13);
    EXPECT_EQ(second["GainLevel"].toArray()[0].toInt(), 121);  // left out: the default
}

TEST(CliPreset, CurvesOfTheDefaultsAreTheResponseCoresCurves) {
    Folder folder;
    folder.write("empty.json", "{}");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("empty.json"), folder.file("d.bin")}).exitCode, 0);
    const CliRun plotted = RunCli({"plot", folder.file("d.bin"), "--csv", folder.file("d.csv")});
    ASSERT_EQ(plotted.exitCode, 0) << plotted.err;

    ParameterStore store;
    InitDSPPremeter(store);
    ApplyRefreshToStore(store);
    ResponsePlot plot;
    plot.RefreshAllBands(store);

    std::string header;
    const auto rows = ParseCsv(folder.read("d.csv"), header);
    EXPECT_EQ(header, "point,channel1,channel2");
    ASSERT_EQ(rows.size(), 509u);
    for (int point = 2; point <= 510; ++point) {
        const auto& row = rows[point - 2];
        ASSERT_EQ(row.size(), 3u);
        EXPECT_EQ(row[0], point);
        EXPECT_EQ(row[1], At(plot.SumCurve(1), point)) << point;
        EXPECT_EQ(row[2], At(plot.SumCurve(2), point)) << point;
    }
}

TEST(CliPreset, SegmentsShowAFlatPresetAndAPeakWhereTheGridSaysSo) {
    Folder folder;
    folder.write("flat.json", R"({"LpType": [0, 0], "HpType": [0, 0]})");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("flat.json"), folder.file("flat.bin")}).exitCode, 0);
    ASSERT_EQ(RunCli({"plot", folder.file("flat.bin"), "--segments", folder.file("flat.csv")}).exitCode, 0);
    std::string header;
    auto rows = ParseCsv(folder.read("flat.csv"), header);
    EXPECT_EQ(header, "channel,x1,y1,x2,y2");
    // Segments ending at points 6..503 of each channel: 498 per channel, channel 1 first.
    ASSERT_EQ(rows.size(), 996u);
    EXPECT_EQ(rows[0], (std::vector<double>{1, 780, 1320, 788, 1320}));
    EXPECT_EQ(rows[497], (std::vector<double>{1, 9716, 1320, 9720, 1320}));
    EXPECT_EQ(rows[498][0], 2);
    for (const auto& row : rows) EXPECT_EQ(row[2], 1320);

    // +12 dB on channel 1 band 3 at frequency position 170 (1000 Hz on the plot's table).
    folder.write("peak.json", R"({"LpType": [0, 0], "HpType": [0, 0],
        "EqFrequency": [[103, 203, 1010, 1960, 5040, 1000, 1000], [103, 203, 1000, 1960, 5040, 1000, 1000]],
        "EqGain": [[24, 24, 0, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]]})");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("peak.json"), folder.file("peak.bin")}).exitCode, 0);
    ASSERT_EQ(RunCli({"plot", folder.file("peak.bin"), "--segments", folder.file("peak.csv"),
                      "--png", folder.file("peak.png")}).exitCode, 0);
    rows = ParseCsv(folder.read("peak.csv"), header);
    const auto top = std::min_element(rows.begin(), rows.begin() + 498,
                                      [](const auto& a, const auto& b) { return a[4] < b[4]; });
    EXPECT_EQ((*top)[3], 5918);
    EXPECT_NEAR((*top)[4], 696, 0.5);
    EXPECT_EQ(folder.read("peak.png").substr(1, 3), "PNG");
}

TEST(CliPreset, DiffListsTheChangedValuesWithTheirUnits) {
    Folder folder;
    folder.write("a.json", "{}");
    folder.write("b.json", R"({"PresetName": "b", "EqGain": [[24, 24, 30, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]],
        "DelaySamples": [1, 49], "GainLevel": [121, 0, 121, 121]})");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("a.json"), folder.file("a.bin")}).exitCode, 0);
    ASSERT_EQ(RunCli({"preset", "make", folder.file("b.json"), folder.file("b.bin")}).exitCode, 0);
    const CliRun diff = RunCli({"preset", "diff", folder.file("a.bin"), folder.file("b.bin")});
    ASSERT_EQ(diff.exitCode, 0);
    EXPECT_EQ(diff.out,
              "PresetName: \"\" -> \"b\"\n"
              "GainLevel(2): 0 dB (121) -> Mute (0)\n"
              "DelaySamples(2): 0 ms (1) -> 1 ms (49)\n"
              "EqGain(1,3): 0 dB (24) -> -3 dB (30)\n");
    EXPECT_EQ(RunCli({"preset", "diff", folder.file("a.bin"), folder.file("a.bin")}).out, "");
}

TEST(CliPreset, BadInputIsRefusedWithOneLineAndNoFileLeft) {
    Folder folder;
    folder.write("short.bin", std::string(689, '\0'));
    folder.write("bad.json", "{\"EqGain\": [[24,24,24");
    folder.write("unknown.json", R"({"EqGian": [[24,24,24,24,24,24,24],[24,24,24,24,24,24,24]]})");
    folder.write("range.json", R"({"EqGain": [[24,24,24,24,24,24,49],[24,24,24,24,24,24,24]]})");
    folder.write("shape.json", R"({"DelaySamples": [1, 1, 1]})");
    folder.write("fraction.json", R"({"CompAttack": [1.5, 0]})");
    folder.write("notkept.json", R"({"MuteState": [1, 0]})");
    folder.write("name.json", R"({"PresetName": "\u4e2d"})");
    folder.write("ok.json", "{}");
    folder.write("gain.json", R"({"GainLevel": [0, 0, 0, 0]})");
    const int before = folder.count();

    const std::vector<std::vector<std::string>> bad = {
        {"preset", "show", folder.file("missing.bin")},
        {"preset", "show", folder.file("short.bin")},
        {"preset", "show", folder.file("")},
        {"preset", "show", folder.file("short.bin"), "--record", "0"},
        {"preset", "make", folder.file("missing.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("bad.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("unknown.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("range.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("shape.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("fraction.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("notkept.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("name.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("ok.json"), folder.file("no-such-folder/out.bin")},
        {"preset", "diff", folder.file("short.bin"), folder.file("missing.bin")},
        {"plot", folder.file("missing.bin"), "--csv", folder.file("out.csv")},
        {"plot", folder.file("short.bin"), "--csv", folder.file("out.csv")},
        {"plot", folder.file("short.bin")},
        {"preset", "show"},
        {"preset", "show", folder.file("short.bin"), "--colour"},
        {"frobnicate"},
    };
    for (const auto& args : bad) {
        const CliRun run = RunCli(args);
        EXPECT_TRUE(run.failedWithOneLine()) << args[1] << " " << (args.size() > 2 ? args[2] : "")
                                             << ": exit " << run.exitCode << " " << run.err;
    }
    EXPECT_EQ(folder.count(), before);

    // A record that fails the load check is refused for plotting, and a made file is
    // never replaced.
    ASSERT_EQ(RunCli({"preset", "make", folder.file("gain.json"), folder.file("gain.bin")}).exitCode, 0);
    folder.write("gain.bin", folder.read("gain.bin").replace(102, 2, "\x92\x00", 2));  // GainLevel(1) 146
    EXPECT_TRUE(RunCli({"plot", folder.file("gain.bin"), "--csv", folder.file("g.csv")}).failedWithOneLine());
    EXPECT_FALSE(folder.exists("g.csv"));
    const std::string made = folder.read("gain.bin");
    EXPECT_TRUE(RunCli({"preset", "make", folder.file("ok.json"), folder.file("gain.bin")}).failedWithOneLine());
    EXPECT_EQ(folder.read("gain.bin"), made);
}

}  // namespace
}  // namespace sonavel::cli::test
