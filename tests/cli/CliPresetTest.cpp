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

TEST(CliPreset, MakeThenShowGivesBackEveryField) {
    // Every carried field with values of its own, spread over the field's range.
    QJsonObject input{{"PresetName", QString::fromUtf8("Round trip \xE2\x80\x93 \xC3\xBC")}};
    int seed = 3;
    for (const RecordField& entry : PresetRecordFields()) {
        const StoreField& f = *entry.field;
        auto next = [&] { return f.min + (seed++ * 7) % (f.max - f.min + 1); };
        QJsonArray values;
        for (int ch = 0; ch < 2 && f.shape == FieldShape::PerBand; ++ch)
            values.append(QJsonArray{next(), next(), next(), next(), next(), next(), next()});
        for (int i = 0; i < f.Count() && f.shape != FieldShape::PerBand; ++i) values.append(next());
        input[QString::fromStdString(std::string(f.name))] = values;
    }
    Folder folder;
    MakePreset(folder, QJsonDocument(input).toJson().toStdString(), "p.bin");
    EXPECT_EQ(folder.read("p.bin").size(), 690u);
    const QJsonObject output = ShowPreset(folder, "p.bin");
    EXPECT_EQ(output.size(), 17);  // the name and the 16 fields a record carries
    EXPECT_EQ(output, input);

    // --append adds a record after the first; left-out fields take the defaults.
    folder.write("two.json", R"({"PresetName": "two", "EqGain": [[0,1,2,3,4,5,6],[7,8,9,10,11,12,13]]})");
    ASSERT_EQ(RunCli({"preset", "make", folder.file("two.json"), folder.file("p.bin"), "--append"}).exitCode, 0);
    EXPECT_EQ(ShowPreset(folder, "p.bin"), input);
    const QJsonObject second = ShowPreset(folder, "p.bin", 2);
    EXPECT_EQ(second["PresetName"].toString(), "two");
    EXPECT_EQ(second["EqGain"].toArray()[1].toArray()[6].toInt(), 13);
    EXPECT_EQ(second["GainLevel"].toArray()[0].toInt(), 121);
}

TEST(CliPreset, CurvesOfTheDefaultsAreTheResponseCoresCurves) {
    Folder folder;
    MakePreset(folder, "{}", "d.bin");
    ASSERT_EQ(RunCli({"plot", folder.file("d.bin"), "--csv", folder.file("d.csv")}).exitCode, 0);
    ParameterStore store;
    InitDSPPremeter(store);
    ApplyRefreshToStore(store);
    ResponsePlot plot;
    plot.RefreshAllBands(store);

    const auto rows = Rows(folder.read("d.csv"), "point,channel1,channel2");
    ASSERT_EQ(rows.size(), 509u);
    for (int point = 2; point <= 510; ++point)
        EXPECT_EQ(rows[point - 2], (std::vector<double>{double(point), At(plot.SumCurve(1), point),
                                                        At(plot.SumCurve(2), point)}));
}

TEST(CliPreset, SegmentsAndPictureOfAFlatPreset) {
    Folder folder;
    MakePreset(folder, R"({"LpType": [0, 0], "HpType": [0, 0]})", "flat.bin");
    ASSERT_EQ(RunCli({"plot", folder.file("flat.bin"), "--segments", folder.file("flat.csv"),
                      "--png", folder.file("flat.png")}).exitCode, 0);
    const auto rows = Rows(folder.read("flat.csv"), "channel,x1,y1,x2,y2");
    // Segments ending at points 6..503 of each channel: 498 per channel, channel 1 first.
    ASSERT_EQ(rows.size(), 996u);
    EXPECT_EQ(rows[0], (std::vector<double>{1, 780, 1320, 788, 1320}));
    EXPECT_EQ(rows[497], (std::vector<double>{1, 9716, 1320, 9720, 1320}));
    EXPECT_EQ(rows[498][0], 2);
    for (const auto& row : rows) EXPECT_TRUE(row[2] == 1320 && row[4] == 1320);
    EXPECT_EQ(folder.read("flat.png").substr(1, 3), "PNG");
}

TEST(CliPreset, DiffListsTheChangedValuesWithTheirUnits) {
    Folder folder;
    MakePreset(folder, "{}", "a.bin");
    MakePreset(folder, R"({"PresetName": "b", "EqGain": [[24, 24, 30, 24, 24, 24, 24], [24, 24, 24, 24, 24, 24, 24]],
        "DelaySamples": [1, 49], "GainLevel": [121, 0, 121, 121]})", "b.bin");
    EXPECT_EQ(RunCli({"preset", "diff", folder.file("a.bin"), folder.file("b.bin")}).out,
              "PresetName: \"\" -> \"b\"\n"
              "GainLevel(2): 0 dB (121) -> Mute (0)\n"
              "DelaySamples(2): 0 ms (1) -> 1 ms (49)\n"
              "EqGain(1,3): 0 dB (24) -> -3 dB (30)\n");
    EXPECT_EQ(RunCli({"preset", "diff", folder.file("a.bin"), folder.file("a.bin")}).out, "");
}

TEST(CliPreset, BadInputIsRefusedWithOneLineAndNoFileLeft) {
    Folder folder;
    MakePreset(folder, R"({"GainLevel": [0, 0, 0, 0]})", "gain.bin");
    std::string record = folder.read("gain.bin");
    folder.write("gain.bin", record.replace(102, 1, "\x92"));  // GainLevel(1) 146 fails the load
    folder.write("short.bin", std::string(689, '\0'));
    const std::string made = folder.read("gain.bin");
    const std::vector<std::string> badJson = {
        "{\"EqGain\": [[24,24,24", R"({"EqGian": [1]})", R"({"MuteState": [1, 0]})",
        R"({"EqGain": [[24,24,24,24,24,24,49],[24,24,24,24,24,24,24]]})",
        R"({"DelaySamples": [1, 1, 1]})", R"({"CompAttack": [1.5, 0]})", R"({"PresetName": "\u4e2d"})"};
    for (size_t i = 0; i < badJson.size(); ++i) folder.write("bad" + std::to_string(i), badJson[i]);
    const int before = folder.count();

    std::vector<std::vector<std::string>> bad = {
        {"preset", "show", folder.file("missing.bin")},
        {"preset", "show", folder.file("short.bin")},
        {"preset", "show", folder.file("")},
        {"preset", "show", folder.file("gain.bin"), "--record", "0"},
        {"preset", "make", folder.file("missing.json"), folder.file("out.bin")},
        {"preset", "make", folder.file("bad0"), folder.file("gain.bin")},
        {"preset", "make", folder.file("bad0"), folder.file("no-such-folder/out.bin")},
        {"preset", "diff", folder.file("gain.bin"), folder.file("missing.bin")},
        {"plot", folder.file("short.bin"), "--csv", folder.file("out.csv")},
        {"plot", folder.file("gain.bin"), "--csv", folder.file("out.csv")},
        {"plot", folder.file("gain.bin")},
        {"preset", "show", folder.file("gain.bin"), "--colour"},
        {"frobnicate"},
    };
    for (size_t i = 0; i < badJson.size(); ++i)
        bad.push_back({"preset", "make", folder.file("bad" + std::to_string(i)), folder.file("out.bin")});
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
