// Portolan against a simulated unit, then the editor finding that unit where Portolan put it.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "addrtool/AddressToolWindow.h"

namespace e2e {
namespace {

// Presses a button of the tool; returns the status line once it holds `expected` or a second has passed.
QString Exchange(sonavel::addrtool::AddressToolWindow& tool, const char* button, const QString& expected) {
    QTest::mouseClick(tool.findChild<QPushButton*>(button), Qt::LeftButton);
    const auto* status = tool.findChild<QLabel*>("Label1");
    sonavel::test::PumpUntil([&] { return status->text() == expected; }, 1000);
    return status->text();
}

TEST(PortolanWithSimulator, ProgrammedAddressIsWhereTheEditorFindsTheUnit) {
    SimulatorRun simulator({"--units", "9"});
    qputenv("SONAVEL_COM2", simulator.DevicePath().toLocal8Bit());
    {
        sonavel::addrtool::AddressToolWindow tool;
        tool.show();
        tool.findChild<QComboBox*>("Combo5")->setCurrentIndex(1);  // COM2
        // The simulated unit answers both messages with its address as text, " Addr=nn".
        EXPECT_EQ(Exchange(tool, "Command1", "Read Address... Addr=09"), "Read Address... Addr=09");
        tool.findChild<QComboBox*>("Combo1")->setCurrentIndex(6);  // Addr=07
        EXPECT_EQ(Exchange(tool, "Command2", "Program Address... Addr=07"), "Program Address... Addr=07");
    }
    qunsetenv("SONAVEL_COM2");
    const UnitStates units = simulator.State();
    EXPECT_EQ(units.size(), 1u);
    EXPECT_EQ(units.count(7), 1u);

    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    EXPECT_EQ(editor.ChooseAddress(7), GoodRead(7));
    EXPECT_TRUE(editor.LampTurns(kLampOn));
    EXPECT_EQ(editor.ChooseAddress(9), FailedRead(9));
}

}  // namespace
}  // namespace e2e
