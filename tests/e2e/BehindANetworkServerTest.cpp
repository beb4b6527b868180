// Portolan and the editor on a unit behind ser2net, the network serial server (rfc2217). Portolan
// on a local line, and 0xFF replies shown unchanged, are the tool window's and the telnet line's tests.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <gtest/gtest.h>

#include "EndToEnd.h"
#include "addrtool/AddressToolWindow.h"
#include "tests/support/Ser2net.h"

namespace e2e {
namespace {

TEST(BehindANetworkServer, PortolanProgramsTheAddressTheEditorFindsAndALostServerSwitchesTheLinkOffOnce) {
    if (const std::string why = sonavel::test::Ser2net::Missing(); !why.empty()) GTEST_SKIP() << why;
    SimulatorRun simulator({"--units", "9"});
    sonavel::test::Ser2net server(simulator.DevicePath().toStdString());
    const QString port = QString::fromStdString(server.Rfc2217Port());

    // Portolan on COM2 reads unit 9's address and programs it to 7; the unit answers both with
    // its address as text. Both messages carry 0xFF in their address field, which telnet
    // doubles on the way through the server.
    qputenv("SONAVEL_COM2", port.toLocal8Bit());
    {
        sonavel::addrtool::AddressToolWindow tool;
        const auto* status = tool.findChild<QLabel*>("Label1");
        const auto exchange = [&](const char* button, const QString& expected) {
            QTest::mouseClick(tool.findChild<QPushButton*>(button), Qt::LeftButton);
            EXPECT_TRUE(sonavel::test::PumpUntil([&] { return status->text() == expected; }, 5000))
                << status->text().toStdString();
        };
        tool.findChild<QComboBox*>("Combo5")->setCurrentIndex(1);  // COM2
        exchange("Command1", "Read Address... Addr=09");
        tool.findChild<QComboBox*>("Combo1")->setCurrentIndex(6);  // Addr=07
        exchange("Command2", "Program Address... Addr=07");
    }
    qunsetenv("SONAVEL_COM2");

    // The address Portolan programmed is where the editor finds the unit. Then the server stops
    // mid-session, a Connect comes while it is away, and edits and reads work once it is back.
    EditorSession editor(port);
    editor.Connect();
    EXPECT_EQ(editor.ChooseAddress(7), ReadTexts(7, true));
    EXPECT_TRUE(editor.LampTurns(kLampOn));

    server.Stop();
    EXPECT_TRUE(editor.WaitFor([&] { return !editor.messages().isEmpty(); }, 3000));
    // The window goes on taking edits while the line is away, and a Connect meanwhile is refused at once.
    const int gain = editor.store().EqGain(1, 3);
    editor.ClickUpperArrow(editor.channel(1).gainArrows[2]);
    EXPECT_EQ(editor.store().EqGain(1, 3), gain - 1);
    QElapsedTimer clock;
    clock.start();
    editor.Click(editor.widgets().connect);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(editor.LinkCaption(), "DisConnect");
    EXPECT_EQ(editor.messages(),
              (QStringList{"Connect: " + port + ": the server closed the connection\nThe link is switched off.",
                           "Connect: COM1 could not be opened:\n" + port + ": the connection was refused"}));

    server.Start();
    editor.Click(editor.widgets().connect);
    EXPECT_EQ(editor.LinkCaption(), "Connect");
    editor.ClickUpperArrow(editor.channel(1).gainArrows[2]);
    editor.Pause(kEditSettleMs);
    EXPECT_EQ(simulator.State().at(7).EqGain(1, 3), gain - 2);
    EXPECT_EQ(editor.Update(), ReadTexts(7, true));
    EXPECT_EQ(editor.messages().size(), 2);
}

}  // namespace
}  // namespace e2e
