#include "EditorSession.h"

#include <QLabel>
#include <QTimer>
#include <tuple>


namespace e2e {

EditorSession::EditorSession(const QString& devicePath) {
    qputenv("SONAVEL_COM1", devicePath.toLocal8Bit());
    window_ = std::make_unique<sonavel::MainWindow>(port_, sleeper_);
    // Whatever else the message box is told (its icon), the title and text come last.
    window_->SetMessageBox([this](const auto&... parts) {
        const auto all = std::tie(parts...);
        messages_ << std::get<sizeof...(parts) - 2>(all) + ": " + std::get<sizeof...(parts) - 1>(all);
    });
    window_->show();
}

EditorSession::~EditorSession() {
    window_.reset();
    qunsetenv("SONAVEL_COM1");
}

void EditorSession::Connect() {
    if (!WaitFor([this] { return window_->editor().state().EditEnabled; }, 5000))
        throw std::runtime_error("the editor never finished its first refresh");
    Click("Command12");
}

QStringList EditorSession::StatusTextsDuring(const std::function<void()>& action) {
    QStringList seen;
    const QLabel* status = window_->widgets().presetTitle;
    const auto record = [&] {
        if (seen.isEmpty() || seen.back() != status->text()) seen << status->text();
    };
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, record);
    poll.start();
    action();
    poll.stop();
    record();
    if (seen.front().isEmpty()) seen.pop_front();
    return seen;
}

QStringList EditorSession::ChooseAddress(int address) {
    sonavel::ListBox* list = window_->widgets().addresses;
    return StatusTextsDuring([&] {
        list->setCurrentIndex(address - 1);
        emit list->activated(address - 1);
    });
}

QStringList GoodRead(int address) {
    const QString started = QString("Recall UnitID: %1...").arg(address);
    return {started, started + "Flish", "Update...", ""};
}

QStringList FailedRead(int address) {
    const QString started = QString("Recall UnitID: %1...").arg(address);
    return {started, started + "Error"};
}

}  // namespace e2e
