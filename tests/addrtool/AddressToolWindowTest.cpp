// The address tool's window driven by its buttons, talking to a pseudo-terminal that stands
// in for the unit's line (SONAVEL_COM3 names its device).
#include "addrtool/AddressToolWindow.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using sonavel::Bytes;
using sonavel::addrtool::AddressToolWindow;

namespace {

const Bytes kProgram05 = {0x01, 0x20, 0x03, 0x40, 0x0A, 0x0F, 0x05, 0xFF, 0x05, 0x60};
const Bytes kRead05 = {0x01, 0x20, 0x03, 0x40, 0x0A, 0x10, 0x05, 0xFF, 0x05, 0x60};

class PortolanOverPty : public ::testing::Test {
protected:
    void SetUp() override {
        int slave = -1;
        char name[256];
        ASSERT_EQ(openpty(&master_, &slave, name, nullptr, nullptr), 0);
        close(slave);  // only the tool holds the device from now on
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        qputenv("SONAVEL_COM3", name);
        qputenv("SONAVEL_COM4", "/nonexistent/tty-for-portolan");
        window_ = std::make_unique<AddressToolWindow>();
        ports_ = window_->findChild<QComboBox*>("Combo5");
        addresses_ = window_->findChild<QComboBox*>("Combo1");
        status_ = window_->findChild<QLabel*>("Label1");
        lamp_ = window_->findChild<QLabel*>("Label30");
        ASSERT_TRUE(ports_ && addresses_ && status_ && lamp_);
        ports_->setCurrentIndex(2);      // COM3
        addresses_->setCurrentIndex(4);  // Addr=05
    }
    void TearDown() override {
        window_.reset();
        close(master_);
    }

    void Click(const char* button) { window_->findChild<QPushButton*>(button)->click(); }

    static void Pump(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 2);
    }

    // True while the tool holds the device open.
    bool DeviceOpen() const {
        pollfd p{master_, POLLIN, 0};
        poll(&p, 1, 0);
        return !(p.revents & POLLHUP);
    }

    Bytes ReadLine(size_t count, int timeoutMs = 1000) {
        Bytes got;
        QElapsedTimer clock;
        clock.start();
        while (got.size() < count && clock.elapsed() < timeoutMs) {
            QApplication::processEvents(QEventLoop::AllEvents, 2);
            uint8_t buffer[64];
            const ssize_t n = read(master_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0) got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

    void WriteLine(const Bytes& bytes) { ASSERT_EQ(write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }

    // Milliseconds from now until the tool lets go of the device.
    qint64 MsUntilClosed(int limitMs = 1500) {
        QElapsedTimer clock;
        clock.start();
        while (DeviceOpen() && clock.elapsed() < limitMs) QApplication::processEvents(QEventLoop::AllEvents, 1);
        return clock.elapsed();
    }

    QColor LampColor() const { return lamp_->palette().color(QPalette::Window); }

    int master_ = -1;
    std::unique_ptr<AddressToolWindow> window_;
    QComboBox* ports_ = nullptr;
    QComboBox* addresses_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* lamp_ = nullptr;
};

}  // namespace

TEST_F(PortolanOverPty, WindowShowsItsControlsAsDesigned) {
    window_->show();
    EXPECT_EQ(window_->windowTitle(), "Form1");
    EXPECT_EQ(window_->size(), QSize(4680 / 15, 3000 / 15));
    ASSERT_EQ(ports_->count(), 12);
    EXPECT_EQ(ports_->itemText(0), "COM1");
    EXPECT_EQ(ports_->itemText(11), "COM12");
    EXPECT_EQ(ports_->toolTip(), "select a valid COM");
    ASSERT_EQ(addresses_->count(), 32);
    EXPECT_EQ(addresses_->itemText(0), "Addr=01");
    EXPECT_EQ(addresses_->itemText(31), "Addr=32");
    EXPECT_EQ(window_->findChild<QPushButton*>("Command1")->text(), "Read Address");
    EXPECT_EQ(window_->findChild<QPushButton*>("Command2")->text(), "Program Address");
    EXPECT_EQ(window_->findChild<QGroupBox*>("Frame31")->title(), "Communication");
    EXPECT_EQ(lamp_->parentWidget()->objectName(), "Frame31");
    EXPECT_EQ(LampColor(), QColor(0, 0, 0));
    EXPECT_TRUE(status_->text().isEmpty());
    EXPECT_EQ(status_->palette().color(QPalette::Window), QColor(128, 128, 255));
    EXPECT_EQ(status_->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    const QString family = QFontInfo(status_->font()).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    const QTimer* timer = window_->findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 200);
    EXPECT_TRUE(timer->isActive());
    // A fresh window selects the first entry of both lists.
    AddressToolWindow fresh;
    EXPECT_EQ(fresh.findChild<QComboBox*>("Combo5")->currentIndex(), 0);
    EXPECT_EQ(fresh.findChild<QComboBox*>("Combo1")->currentIndex(), 0);
}

TEST_F(PortolanOverPty, ButtonsWriteTheExactMessagesWithTheBroadcastAddress) {
    Click("Command2");
    EXPECT_EQ(status_->text(), "Program Address...");
    EXPECT_EQ(LampColor(), QColor(0, 255, 0));
    EXPECT_EQ(ReadLine(10), kProgram05);
    Click("Command1");
    EXPECT_EQ(status_->text(), "Read Address...");
    EXPECT_EQ(ReadLine(10), kRead05);
    // No address selected: the payload byte is 0.
    addresses_->setCurrentIndex(-1);
    Click("Command1");
    EXPECT_EQ(ReadLine(10), (Bytes{0x01, 0x20, 0x03, 0x40, 0x0A, 0x10, 0x00, 0xFF, 0x05, 0x60}));
}

TEST_F(PortolanOverPty, ReplyBytesAreAppendedAsCharactersAndThe19thClosesThePort) {
    Click("Command1");
    ASSERT_EQ(ReadLine(10), kRead05);
    // 18 bytes bring RxCount to 19: the port stays open.
    WriteLine(Bytes(18, 'x'));
    Pump(100);
    EXPECT_TRUE(DeviceOpen());
    WriteLine({'y'});
    Pump(100);
    EXPECT_FALSE(DeviceOpen());
    EXPECT_EQ(status_->text(), "Read Address..." + QString(18, 'x') + "y");

    // 25 bytes in one piece: all 25 are shown, though the port closed at the 19th.
    Click("Command1");
    ASSERT_EQ(ReadLine(10), kRead05);
    const std::string text = " Addr=05<b>\x80\xE9\x99" "klmnopqrstu";
    const Bytes reply(text.begin(), text.end());
    ASSERT_EQ(reply.size(), 25u);
    WriteLine(reply);
    Pump(150);
    EXPECT_FALSE(DeviceOpen());
    EXPECT_EQ(status_->text(), QString::fromUtf8("Read Address... Addr=05<b>€é™klmnopqrstu"));
    EXPECT_EQ(LampColor(), QColor(0, 255, 0));  // until the next time-out tick
}

TEST_F(PortolanOverPty, PortClosesOnTheFourthTickWhenNoUnitAnswers) {
    for (int round = 0; round < 2; ++round) {
        Pump(70 * round);  // another phase of the timer
        Click("Command1");
        ASSERT_TRUE(DeviceOpen());
        const qint64 closedAfter = MsUntilClosed();
        EXPECT_GE(closedAfter, 600 - 5);
        EXPECT_LE(closedAfter, 800 + 40);  // allowing for a busy machine
        EXPECT_EQ(LampColor(), QColor(0, 0, 0));
        EXPECT_EQ(status_->text(), "Read Address...");
        ReadLine(10);
    }
}

TEST_F(PortolanOverPty, PortsThatCannotBeOpenedTakeTheFailurePath) {
    // Text typed over the port list names no entry: port 0.
    ports_->lineEdit()->setText("my port");
    EXPECT_EQ(window_->PortPosition(), -1);
    Click("Command1");
    EXPECT_EQ(status_->text(), "Open COM port failed!");
    EXPECT_EQ(LampColor(), QColor(0, 0, 0));
    // A port whose device is missing.
    ports_->setCurrentIndex(3);
    Click("Command2");
    EXPECT_EQ(status_->text(), "Open COM port failed!");
    EXPECT_FALSE(status_->toolTip().isEmpty());  // the reason, for whoever looks closer
    EXPECT_EQ(LampColor(), QColor(0, 0, 0));
    EXPECT_TRUE(ReadLine(1, 100).empty());
    // Typing an entry's exact name selects it; the next exchange succeeds.
    ports_->lineEdit()->setText("COM3");
    Click("Command2");
    EXPECT_EQ(ReadLine(10), kProgram05);
    EXPECT_TRUE(status_->toolTip().isEmpty());
}

TEST_F(PortolanOverPty, AButtonPressedMidExchangeStartsItAfresh) {
    Click("Command1");
    ASSERT_EQ(ReadLine(10), kRead05);
    WriteLine({'o', 'l', 'd'});
    Pump(400);
    EXPECT_EQ(status_->text(), "Read Address...old");
    Click("Command2");
    EXPECT_EQ(status_->text(), "Program Address...");
    EXPECT_EQ(ReadLine(10), kProgram05);
    const qint64 closedAfter = MsUntilClosed();
    EXPECT_GE(closedAfter, 600 - 5 - 30);  // counted from the second press (minus the read above)
    EXPECT_LE(closedAfter, 800 + 40);  // allowing for a busy machine
}
