// Portolan against a simulated unit, then the editor finding that unit where Portolan put it;
// Portolan through ser2net, the network serial server (0xFF replies shown unchanged are the
// telnet line's and the tool window's tests).
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "SimulatorRun.h"
#include "addrtool/AddressToolWindow.h"
#include "tests/support/Ser2net.h"

namespace e2e {
namespace {

// Presses a button of the tool; returns the status line once it holds `expected` or a second has passed.
QString Exchange(sonavel::addrtool::AddressToolWindow& tool, const char* button, const QString& expected) {
    QTest::mouseClick(tool.findChild<QPushButton*>(button), Qt::LeftButton);
    const auto* status = tool.findChild<QLabel*>("Label1");
    sonavel::test::PumpUntil([&] { return status->text() == expected; }, 1000);
    return status->text();
}

// Portolan on COM2, named by `port`, reads unit 9's address and programs it to 7. The
// simulated unit answers both messages with its address as text, " Addr=nn".
void ReadNineProgramSeven(const QByteArray& port) {
    qputenv("SONAVEL_COM2", port);
    {
        sonavel::addrtool::AddressToolWindow tool;
        tool.show();
        tool.findChild<QComboBox*>("Combo5")->setCurrentIndex(1);  // COM2
        EXPECT_EQ(Exchange(tool, "Command1", "Read Address... Addr=09"), "Read Address... Addr=09");
        tool.findChild<QComboBox*>("Combo1")->setCurrentIndex(6);  // Addr=07
        EXPECT_EQ(Exchange(tool, "Command2", "Program Address... Addr=07"), "Program Address... Addr=07");
    }
    qunsetenv("SONAVEL_COM2");
}

struct PortolanBehindANetworkServer : testing::Test {
    void SetUp() override {
        if (const std::string why = sonavel::test::Ser2net::Missing(); !why.empty()) GTEST_SKIP() << why;
    }
};

TEST(PortolanWithSimulator, ProgrammedAddressIsWhereTheEditorFindsTheUnit) {
    SimulatorRun simulator({"--units", "9"});
    ReadNineProgramSeven(simulator.DevicePath().toLocal8Bit());
    const UnitStates units = simulator.State();
    EXPECT_EQ(units.size(), 1u);
    EXPECT_EQ(units.count(7), 1u);

    EditorSession editor(simulator.DevicePath());
    editor.Connect();
    EXPECT_EQ(editor.ChooseAddress(7), GoodRead(7));
    EXPECT_TRUE(editor.LampTurns(kLampOn));
    EXPECT_EQ(editor.ChooseAddress(9), FailedRead(9));
}

// Both messages carry 0xFF in their address field, which telnet doubles on the way.
TEST_F(PortolanBehindANetworkServer, ReadsAndProgramsTheAddressOverRfc2217) {
    SimulatorRun simulator({"--units", "9"});
    sonavel::test::Ser2net server(simulator.DevicePath().toStdString());
    ReadNineProgramSeven(QByteArray::fromStdString(server.Rfc2217Port()));
    EXPECT_EQ(simulator.BytesOf(16), std::vector<QString>{"01 20 03 40 0A 10 01 FF 05 60"});
    EXPECT_EQ(simulator.BytesOf(15), std::vector<QString>{"01 20 03 40 0A 0F 07 FF 05 60"});
    const UnitStates units = simulator.State();
    EXPECT_EQ(units.size(), 1u);
    EXPECT_EQ(units.count(7), 1u);
}

}  // namespace
}  // namespace e2e
