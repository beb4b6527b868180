// Sonavel: the editor for a two-channel loudspeaker processor on a serial line.
#include <QApplication>

#include "editor/MainWindow.h"
#include "editor/WindowStyle.h"
#include "link/QtSerialPort.h"
#include "link/Sleeper.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(new sonavel::WindowStyle);
    sonavel::QtSerialPort port;
    sonavel::ThreadSleeper sleeper;
    sonavel::MainWindow window(port, sleeper);
    window.show();
    return app.exec();
}
