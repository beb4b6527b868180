// The window tests run without a display unless a platform was chosen (xvfb-run and xcb).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include "editor/WindowStyle.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath("editor-tests-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QApplication app(argc, argv);
    QApplication::setStyle(new sonavel::WindowStyle);  // as the program runs
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
