// The editor on a line that misbehaves: unplugged in the middle of a read and plugged in again,
// or flooding it with noise. Garbled replies, and replies in pieces after junk, are the line
// session's and the receiver's tests.
#include <malloc.h>
#include <poll.h>

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <random>
#include <thread>

#include "EndToEnd.h"
#include "link/Messages.h"
#include "tests/support/TerminalPair.h"

namespace e2e {
namespace {

using sonavel::Bytes;

// The line goes away at its first frame, the wake-up ping of an "Update" pressed together with
// Connect, and comes back at the same path a second later.
TEST(EditorOnAFaultyLine, ALineUnpluggedDuringUpdateEndsTheReadSwitchesTheLinkOffOnceAndALaterConnectWorks) {
    QTemporaryDir folder;
    const QString link = folder.filePath("line");
    SimulatorRun simulator({"--hangup-after", "1", "--replug-after", "1", "--link", link});
    EditorSession editor(link);
    ASSERT_TRUE(editor.Started());
    editor.ClickUpperArrow(editor.channel(1).gainArrows[1]);  // made before the read, kept after it
    const sonavel::ParameterStore before = editor.store();
    ASSERT_EQ(before.EqGain(1, 2), 23);

    editor.Click(editor.widgets().connect);
    EXPECT_EQ(editor.Update(), ReadTexts(1, false));
    ASSERT_EQ(simulator.Frames().size(), 1u) << "nothing more is sent on the lost line";
    EXPECT_EQ(simulator.Frames()[0]["outcome"], "lost at hang-up");
    EXPECT_EQ(editor.store(), before);
    EXPECT_EQ(editor.LinkCaption(), "DisConnect");
    EXPECT_EQ(editor.Lamp(), kLampOff);
    EXPECT_EQ(editor.messages(), QStringList{"Connect: " + link + " was disconnected\nThe link is switched off."});

    ASSERT_TRUE(editor.WaitFor([&] { return QFile::exists(link); }, 3000));
    editor.Click(editor.widgets().connect);
    EXPECT_TRUE(editor.LampTurns(kLampOn));
    editor.ClickUpperArrow(editor.channel(1).gainArrows[1]);
    editor.Pause(kEditSettleMs);
    EXPECT_EQ(simulator.State().at(1).EqGain(1, 2), 22);
    EXPECT_EQ(editor.messages().size(), 1);
}

// Notes the longest time the window went unpainted.
struct PaintWatch : QObject {
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        }
        return QObject::eventFilter(watched, event);
    }
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
};

// 1 MB of random bytes at full speed while "Update" runs: the window must keep painting, its
// memory must stay bounded, and the settings read must land whole.
TEST(EditorOnAFaultyLine, AFloodedLineKeepsTheWindowPaintingStaysBoundedAndReadsTheSettingsWhole) {
    constexpr size_t kFloodBytes = 1 << 20;
    const sonavel::ParameterStore settings = UnitSettings(2);
    Bytes dump = sonavel::BuildMessage(sonavel::kCmdLimiter, std::vector<int>(sonavel::kSettingsDumpLength - 9, 0), 1);
    sonavel::WriteSettingsBlock(settings, dump);
    Bytes flood(kFloodBytes + dump.size());
    std::generate_n(flood.begin(), kFloodBytes, [random = std::mt19937(18)]() mutable { return uint8_t(random()); });
    std::copy(dump.begin(), dump.end(), flood.begin() + kFloodBytes);

    // Unit 1 at the far end, on a thread of its own (whose heap is not the one measured): the
    // first settings request is answered with the flood and then the dump, later ones with
    // the dump alone. Everything the editor sends is nine bytes long.
    sonavel::test::TerminalPair line;
    std::jthread unit([&, flooded = false](const std::stop_token& stop) mutable {
        for (Bytes frame; !stop.stop_requested();) {
            const Bytes got = line.Far().Read(9 - frame.size(), 50);
            frame.insert(frame.end(), got.begin(), got.end());
            if (frame.size() < 9 || std::exchange(frame, {})[5] != sonavel::kCmdSettingsRequest) continue;
            const Bytes& answer = std::exchange(flooded, true) ? dump : flood;
            for (size_t sent = 0; sent < answer.size() && !stop.stop_requested();) {
                pollfd writable{line.Far().Descriptor(), POLLOUT, 0};
                poll(&writable, 1, 50);
                sent += line.Far().WriteSome(answer.data() + sent, answer.size() - sent);
            }
        }
    });
    EditorSession editor(QString::fromStdString(line.DevicePath()));
    editor.Connect();

    // The window is asked to repaint every 20 ms; the heap is sampled as often.
    PaintWatch paints;
    paints.clock.start();
    editor.window().installEventFilter(&paints);
    long heapPeak = 0;
    const auto probe = [&] {
        editor.window().update();
        const struct mallinfo2 heap = mallinfo2();
        heapPeak = std::max(heapPeak, long(heap.uordblks + heap.hblkhd));
    };
    probe();
    const long heapBefore = heapPeak;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, probe);
    timer.start(20);
    const QStringList texts = editor.Update();
    timer.stop();

    EXPECT_LT(std::max(paints.longest, paints.clock.elapsed() - paints.last), 500);
    EXPECT_LT(heapPeak - heapBefore, long(kFloodBytes / 4)) << "the flood is taken in as it comes";
    // A partial frame of noise may swallow the first dump; a later request brings it whole.
    EXPECT_EQ(texts, ReadTexts(1, true));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(settings));
}

}  // namespace
}  // namespace e2e
