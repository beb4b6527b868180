#include "EditorSession.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "editor/Controls.h"

namespace e2e {

// A read that finds no unit takes about 3.3 s; one that succeeds about 1.5 s and then the
// refresh, whose paced handlers take some seconds more.
constexpr int kReadLimitSeconds = 30;
constexpr int kStatusPollMs = 2;

struct Watchdog::Shared {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

Watchdog::Watchdog(int seconds, const char* action) : shared_(std::make_shared<Shared>()) {
    std::thread([shared = shared_, seconds, action] {
        std::unique_lock lock(shared->mutex);
        if (shared->ended.wait_for(lock, std::chrono::seconds(seconds), [&] { return shared->done; })) return;
        std::fprintf(stderr, "FAILED: %s did not end within %d s; the editor hangs\n", action, seconds);
        std::fflush(stderr);
        std::abort();
    }).detach();
}

Watchdog::~Watchdog() {
    std::lock_guard lock(shared_->mutex);
    shared_->done = true;
    shared_->ended.notify_one();
}

EditorSession::EditorSession(const QString& devicePath) {
    qputenv("SONAVEL_COM1", devicePath.toLocal8Bit());
    window_ = std::make_unique<sonavel::MainWindow>(port_, sleeper_);
    // Whatever else the message box is told (its icon), the title and text come last.
    window_->SetMessageBox([this](const auto&... parts) { RecordMessage(parts...); });
    window_->show();
}

EditorSession::~EditorSession() {
    window_.reset();
    qunsetenv("SONAVEL_COM1");
}

bool EditorSession::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    Watchdog watchdog(timeoutMs / 1000 + kReadLimitSeconds, "waiting on the editor");
    QElapsedTimer clock;
    clock.start();
    // The window's timers tick every 20 ms, so waiting for more events never sleeps long.
    while (!done()) {
        if (clock.elapsed() >= timeoutMs) return done();
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void EditorSession::Pause(int milliseconds) {
    WaitFor([] { return false; }, milliseconds);
}

void EditorSession::Connect() {
    if (!WaitFor([this] { return window_->state().EditEnabled; }, 5000))
        throw std::runtime_error("the editor never finished its first refresh");
    Click("Command12");
}

QStringList EditorSession::StatusTextsDuring(const std::function<void()>& action) {
    QStringList seen;
    const auto* status = window_->control<QLabel>("Label20");
    QTimer poll;
    poll.setInterval(kStatusPollMs);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (seen.isEmpty() || seen.back() != status->text()) seen << status->text();
    });
    poll.start();
    {
        Watchdog watchdog(kReadLimitSeconds, "a settings read");
        action();
    }
    poll.stop();
    if (seen.isEmpty() || seen.back() != status->text()) seen << status->text();
    if (!seen.isEmpty() && seen.front().isEmpty()) seen.pop_front();
    return seen;
}

QStringList EditorSession::Update() {
    return StatusTextsDuring([this] { Click("Command8"); });
}

QStringList EditorSession::ChooseAddress(int address) {
    auto* list = window_->control<sonavel::ListBox>("Combo7");
    return StatusTextsDuring([&] {
        list->setCurrentIndex(address - 1);
        emit list->activated(address - 1);
    });
}

void EditorSession::Click(const QString& control) {
    QTest::mouseClick(window_->control(control), Qt::LeftButton);
}

void EditorSession::ClickUpperArrow(QWidget* arrows) {
    QTest::mouseClick(arrows, Qt::LeftButton, {}, QPoint(arrows->width() / 2, 1));
}

QColor EditorSession::Colour(const QString& control) const {
    return sonavel::BackColor(window_->control(control));
}

void EditorSession::RecordMessage(const QString& title, const QString& text) { messages_ << title + ": " + text; }

QString EditorSession::Status() const { return window_->control<QLabel>("Label20")->text(); }

QStringList GoodRead(int address) {
    const QString started = QString("Recall UnitID: %1...").arg(address);
    return {started, started + "Flish", "Update...", ""};
}

QStringList FailedRead(int address) {
    const QString started = QString("Recall UnitID: %1...").arg(address);
    return {started, started + "Error"};
}

}  // namespace e2e
