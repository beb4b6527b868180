// Portolan: reads the address a connected unit answers with and programs a new one.
#include <QApplication>

#include "addrtool/AddressToolWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Portolan");
    sonavel::addrtool::AddressToolWindow window;
    window.show();
    return app.exec();
}
