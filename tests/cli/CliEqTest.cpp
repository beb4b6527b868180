#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "CliRunner.h"

namespace sonavel::cli::test {
namespace {

TEST(CliEq, ImportIntoARecordReportsAndExportGivesTheFiltersBack) {
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
}

TEST(CliEq, AFaultyListIsRefusedWithEveryLineAndNothingWritten) {
    Folder folder;
    folder.write("bad.txt", "Filter 1: ON PK Fc 100 Hz Gain 13 dB Q 1\nFilter 2: ON NOTCH Fc 100 Hz\n");
    const CliRun run = RunCli({"eq", "import", folder.file("bad.txt"), folder.file("out.bin")});
    EXPECT_TRUE(run.failedWithMessage()) << run.err;
    for (const char* line : {"bad.txt:1: gain 13 dB beyond +-12 dB\n", "bad.txt:2: unknown filter type \"NOTCH\"\n",
                             "2 problems (--fit keeps what fits)"})
        EXPECT_NE(run.err.find(line), std::string::npos) << run.err;
    EXPECT_EQ(folder.count(), 1);
}

}  // namespace
}  // namespace sonavel::cli::test
