// The editor on a line that floods it: 1 MB of random bytes at full speed while "Update" runs.
// The window must keep painting, its memory must stay bounded, and the settings read must
// land whole or not at all.
#include <malloc.h>

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <gtest/gtest.h>
#include <random>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "UnitSettings.h"
#include "link/Messages.h"
#include "tests/support/TerminalPair.h"

namespace e2e {
namespace {

using sonavel::Bytes;
using sonavel::ParameterStore;

constexpr size_t kFloodBytes = 1 << 20;

// Unit 1 at the far end of the line, played inside the event loop: the first settings request
// is answered with the flood and then the dump, later ones with the dump alone. Everything the
// editor sends is nine bytes long (presence queries and settings requests). The answers are
// made beforehand, so that the editor's memory alone changes while it reads.
class FloodingUnit {
public:
    FloodingUnit(sonavel::test::LineEnd& line, const ParameterStore& settings)
        : line_(line),
          dump_(sonavel::BuildMessage(sonavel::kCmdLimiter, std::vector<int>(sonavel::kSettingsDumpLength - 9, 0), 1)),
          reader_(line.Descriptor(), QSocketNotifier::Read),
          writer_(line.Descriptor(), QSocketNotifier::Write) {
        sonavel::WriteSettingsBlock(settings, dump_);
        std::mt19937 random(18);
        flood_.resize(kFloodBytes);
        for (uint8_t& byte : flood_) byte = uint8_t(random());
        flood_.insert(flood_.end(), dump_.begin(), dump_.end());
        writer_.setEnabled(false);
        QObject::connect(&reader_, &QSocketNotifier::activated, [this] { Receive(); });
        QObject::connect(&writer_, &QSocketNotifier::activated, [this] { SendMore(); });
    }
    int Requests() const { return requests_; }

private:
    void Receive() {
        const Bytes got = line_.Read(512, 1);
        received_.insert(received_.end(), got.begin(), got.end());
        for (; received_.size() >= 9; received_.erase(received_.begin(), received_.begin() + 9)) {
            if (received_[5] != sonavel::kCmdSettingsRequest) continue;
            answers_.push_back(requests_++ == 0 ? &flood_ : &dump_);
            writer_.setEnabled(true);
        }
    }
    void SendMore() {
        const Bytes& answer = *answers_.front();
        sent_ += line_.WriteSome(answer.data() + sent_, answer.size() - sent_);
        if (sent_ < answer.size()) return;
        answers_.pop_front();
        sent_ = 0;
        writer_.setEnabled(!answers_.empty());
    }

    sonavel::test::LineEnd& line_;
    Bytes dump_, flood_;
    Bytes received_;
    std::deque<const Bytes*> answers_;
    size_t sent_ = 0;
    int requests_ = 0;
    QSocketNotifier reader_, writer_;
};

// Notes when the window was last painted and the longest time it went unpainted.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window) {
        window.installEventFilter(this);
        clock_.start();
    }
    qint64 LongestGapMs() const { return std::max(longestGapMs_, clock_.elapsed() - lastPaintMs_); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            longestGapMs_ = std::max(longestGapMs_, clock_.elapsed() - lastPaintMs_);
            lastPaintMs_ = clock_.elapsed();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer clock_;
    qint64 lastPaintMs_ = 0, longestGapMs_ = 0;
};

long HeapInUse() {
    const struct mallinfo2 heap = mallinfo2();
    return long(heap.uordblks + heap.hblkhd);
}

TEST(EditorOnAFloodedLine, KeepsPaintingStaysBoundedAndReadsTheSettingsWhole) {
    sonavel::test::TerminalPair line;
    const ParameterStore unit = UnitSettings(2);
    FloodingUnit far(line.Far(), unit);
    EditorSession editor(QString::fromStdString(line.DevicePath()));
    editor.Connect();
    ASSERT_NE(CarriedFields(editor.store()), CarriedFields(unit));

    // The window is asked to repaint every 20 ms; the heap is sampled as often.
    PaintWatch paints(editor.window());
    const long heapBefore = HeapInUse();
    long heapPeak = heapBefore;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        editor.window().update();
        heapPeak = std::max(heapPeak, HeapInUse());
    });
    probe.start(20);
    const QStringList texts = editor.Update();
    probe.stop();

    EXPECT_GE(far.Requests(), 1);
    EXPECT_LT(paints.LongestGapMs(), 500);
    EXPECT_LT(heapPeak - heapBefore, long(kFloodBytes / 4)) << "the flood is taken in as it comes";
    // A partial frame of noise may swallow the first dump; a later request brings it whole.
    EXPECT_EQ(texts, GoodRead(1));
    EXPECT_EQ(CarriedFields(editor.store()), CarriedFields(unit));
}

}  // namespace
}  // namespace e2e
