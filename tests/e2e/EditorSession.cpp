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
    if (!Started()) throw std::runtime_error("the editor never finished its first refresh");
    Click(widgets().connect);
}

QStringList EditorSession::StatusTextsDuring(const std::function<void()>& action) {
    QStringList seen;
    const auto record = [&] {
        if (seen.isEmpty() || seen.back() != widgets().presetTitle->text()) seen << widgets().presetTitle->text();
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, record);
    poll.start(2);
    action();
    poll.stop();
    record();
    if (seen.front().isEmpty()) seen.pop_front();
    return seen;
}

QStringList EditorSession::ChooseAddress(int address) {
    sonavel::ListBox* list = widgets().addresses;
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
