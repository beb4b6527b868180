// The address tool against the device simulator: the unit's reply shows in the status line
// and a programmed address is the one the unit answers with afterwards.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <gtest/gtest.h>

#include "addrtool/AddressToolWindow.h"

namespace {

QString StatusAfterClick(sonavel::addrtool::AddressToolWindow& window, const char* button, const QString& expected) {
    window.findChild<QPushButton*>(button)->click();
    const QLabel* status = window.findChild<QLabel*>("Label1");
    QElapsedTimer clock;
    clock.start();
    while (status->text() != expected && clock.elapsed() < 1000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return status->text();
}

}  // namespace

TEST(PortolanWithSimulator, ReadsAndProgramsTheUnitsAddress) {
    QProcess simulator;
    simulator.start(DEVSIM_PROGRAM, {"--units", "9"});
    ASSERT_TRUE(simulator.waitForReadyRead(3000));
    qputenv("SONAVEL_COM5", simulator.readLine().trimmed());
    {
        sonavel::addrtool::AddressToolWindow window;
        window.findChild<QComboBox*>("Combo5")->setCurrentIndex(4);
        EXPECT_EQ(StatusAfterClick(window, "Command1", "Read Address... Addr=09"), "Read Address... Addr=09");
        window.findChild<QComboBox*>("Combo1")->setCurrentIndex(6);
        EXPECT_EQ(StatusAfterClick(window, "Command2", "Program Address... Addr=07"), "Program Address... Addr=07");
        EXPECT_EQ(StatusAfterClick(window, "Command1", "Read Address... Addr=07"), "Read Address... Addr=07");
    }
    simulator.terminate();
    EXPECT_TRUE(simulator.waitForFinished(3000));
    EXPECT_EQ(simulator.exitCode(), 0);
}
