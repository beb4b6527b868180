// Sonavel: the editor for a two-channel loudspeaker processor on a serial line.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <string_view>

#include "editor/MainWindow.h"
#include "editor/WindowStyle.h"
#include "link/QtSerialPort.h"
#include "link/Sleeper.h"

namespace {

constexpr const char* kUsage =
    "usage: sonavel [--help] [--version]\n"
    "The editor for a two-channel loudspeaker processor on a 9600-baud serial line.\n"
    "Port n of the \"Communication\" list is the device in the environment variable\n"
    "SONAVEL_COMn, else /dev/ttyS<n-1>. See sonavel(1).\n";

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past a file size limit fails with its error instead
    // Answered on stdout without opening a window.
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--version") return std::puts("sonavel " SONAVEL_VERSION) < 0;
        if (option == "--help" || option == "-h") return std::fputs(kUsage, stdout) < 0;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(new sonavel::WindowStyle);
    sonavel::QtSerialPort port;
    sonavel::ThreadSleeper sleeper;
    sonavel::MainWindow window(port, sleeper);
    window.show();
    return app.exec();
}
