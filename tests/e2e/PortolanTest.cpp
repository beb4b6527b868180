// Portolan against a simulated unit, on the simulator's own line and through ser2net, the
// network serial server (0xFF replies shown unchanged are the telnet line's and the tool
// window's tests).
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

#include "SimulatorRun.h"
#include "addrtool/AddressToolWindow.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/Ser2net.h"

namespace e2e {
namespace {

using sonavel::test::Ser2net;

// Portolan on COM2 reads unit 9's address and programs it to 7; the unit answers both messages
// with its address as text, " Addr=nn". Both messages carry 0xFF in their address field, which
// telnet doubles on the way through the server.
TEST(PortolanWithSimulator, ReadsAndProgramsTheAddressOnALocalAndANetworkLine) {
    for (const bool network : {false, true}) {
        SCOPED_TRACE(network ? "through ser2net" : "local");
        if (network && !Ser2net::Missing().empty()) GTEST_SKIP() << Ser2net::Missing();
        SimulatorRun simulator({"--units", "9"});
        std::optional<Ser2net> server;
        if (network) server.emplace(simulator.DevicePath().toStdString());
        qputenv("SONAVEL_COM2", server ? QByteArray::fromStdString(server->Rfc2217Port()) : simulator.DevicePath().toLocal8Bit());
        {
            sonavel::addrtool::AddressToolWindow tool;
            tool.show();
            const auto* status = tool.findChild<QLabel*>("Label1");
            const auto exchange = [&](const char* button, const QString& expected) {
                QTest::mouseClick(tool.findChild<QPushButton*>(button), Qt::LeftButton);
                EXPECT_TRUE(sonavel::test::PumpUntil([&] { return status->text() == expected; }, 1000))
                    << status->text().toStdString();
            };
            tool.findChild<QComboBox*>("Combo5")->setCurrentIndex(1);  // COM2
            exchange("Command1", "Read Address... Addr=09");
            tool.findChild<QComboBox*>("Combo1")->setCurrentIndex(6);  // Addr=07
            exchange("Command2", "Program Address... Addr=07");
        }
        qunsetenv("SONAVEL_COM2");
        const std::vector<LoggedFrame> frames = simulator.Frames();
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[0].bytes, "01 20 03 40 0A 10 01 FF 05 60");
        EXPECT_EQ(frames[1].bytes, "01 20 03 40 0A 0F 07 FF 05 60");
        const UnitStates units = simulator.State();
        EXPECT_EQ(units.size(), 1u);
        EXPECT_EQ(units.count(7), 1u);
    }
}

}  // namespace
}  // namespace e2e
