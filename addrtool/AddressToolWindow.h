#pragma once
// The address tool's one window: the port and address lists, the two buttons, the status
// line and the port lamp, with the 200 ms timer that closes the port after an exchange.
#include <memory>

#include <QWidget>

#include "addrtool/AddressExchange.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace sonavel::addrtool {

class AddressToolWindow : public QWidget, private AddressToolView {
    Q_OBJECT
public:
    // Uses the serial port of the platform unless a port is given.
    explicit AddressToolWindow(std::unique_ptr<SerialPort> port = nullptr, QWidget* parent = nullptr);
    ~AddressToolWindow() override;

    // The list position the port list stands at: -1 when its text was typed over and
    // names no entry.
    int PortPosition() const;

private:
    void SetStatus(const std::string& text, const std::string& detail) override;
    void AppendStatusByte(unsigned char code) override;
    void SetPortLamp(bool on) override;
    void BuildControls();

    std::unique_ptr<SerialPort> port_;
    AddressExchange exchange_;
    QComboBox* combo5_ = nullptr;
    QComboBox* combo1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label30_ = nullptr;
};

}  // namespace sonavel::addrtool
