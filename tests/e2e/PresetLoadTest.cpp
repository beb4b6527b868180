// "Load" of a preset file puts the file's settings into the store, the controls and the unit.
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "UnitSettings.h"
#include "editor/Controls.h"

namespace e2e {
namespace {

using namespace sonavel;

// A preset file of one 690-byte record, written from the file layout: 16-bit little-endian
// values, band fields channel-fastest, unused bytes zero.
QByteArray PresetFileBytes(const ParameterStore& s, const QByteArray& name) {
    QByteArray record(690, '\0');
    const auto put = [&](int offset, int value) {
        record[offset] = static_cast<char>(value & 0xFF);
        record[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
    };
    const auto putChannels = [&](int offset, const ChannelArray<int16_t>& field) {
        put(offset, field(1));
        put(offset + 2, field(2));
    };
    const auto putBands = [&](int offset, const BandArray<int16_t>& field) {
        for (int band = 1; band <= kBandCount; ++band)
            for (int ch = 1; ch <= kChannelCount; ++ch) put(offset + 2 * ((ch - 1) + 2 * (band - 1)), field(ch, band));
    };
    record.replace(2, 100, name.leftJustified(100, ' ', true));
    for (int i = 1; i <= 4; ++i) put(102 + 2 * (i - 1), s.GainLevel(i));
    putChannels(118, s.DelaySamples);
    putChannels(122, s.CompThreshold);
    putChannels(126, s.CompAttack);
    putChannels(130, s.CompRelease);
    putChannels(134, s.CompRatio);
    putBands(150, s.EqType);
    putBands(178, s.EqFrequency);
    putBands(234, s.EqGain);
    putBands(262, s.EqQFactor);
    putBands(290, s.EqByPass);
    putChannels(654, s.HpType);
    putChannels(658, s.LpType);
    putChannels(674, s.InvertStatus);
    putChannels(678, s.FuncByPass6);
    putChannels(686, s.FuncByPass3);
    return record;
}

TEST(EditorWithSimulator, LoadOfAPresetFilePutsTheWholeSettingsIntoTheUnit) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const ParameterStore settings = UnitSettings(2);
    QFile file(folder.filePath("hall.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(PresetFileBytes(settings, "Hall")), 690);
    file.close();

    SimulatorRun simulator;
    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    auto* files = editor.window().control<FileListBox>("File1");
    files->setPath(QDir(folder.path()).absolutePath());
    const QList<QListWidgetItem*> found = files->findItems("hall.bin", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    files->setCurrentItem(found.front());

    const size_t before = simulator.Frames().size();
    {
        Watchdog watchdog(20, "loading a preset");
        editor.Click("Command4");
    }
    EXPECT_TRUE(editor.messages().isEmpty()) << editor.messages().join("\n").toStdString();
    EXPECT_TRUE(editor.WaitFor([&] { return simulator.Frames().size() > before; }, 2000));
    editor.Pause(200);
    const std::vector<LoggedFrame> frames = simulator.Frames();
    int wholeSettings = 0;
    for (size_t i = before; i < frames.size(); ++i) wholeSettings += frames[i].command == 10;
    EXPECT_EQ(wholeSettings, 1);

    EXPECT_EQ(CarriedFields(simulator.State().at(1)), CarriedFields(settings));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(settings));
    ExpectControlsShow(editor.window(), settings);
}

}  // namespace
}  // namespace e2e
