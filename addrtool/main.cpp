// Portolan: reads the address a connected unit answers with and programs a new one.
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <string_view>

#include "addrtool/AddressToolWindow.h"

namespace {

constexpr const char* kUsage =
    "usage: portolan [--help] [--version]\n"
    "Reads the address a connected loudspeaker processor unit answers with and programs a new one.\n"
    "Port n is the device in the environment variable SONAVEL_COMn, else /dev/ttyS<n-1>.\n"
    "See portolan(1).\n";

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past a file size limit fails with its error instead
    // Answered on stdout without opening a window.
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--version") return std::puts("portolan " SONAVEL_VERSION) < 0;
        if (option == "--help" || option == "-h") return std::fputs(kUsage, stdout) < 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Portolan");
    sonavel::addrtool::AddressToolWindow window;
    window.show();
    return app.exec();
}
