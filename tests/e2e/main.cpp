#include <QApplication>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

#include "editor/WindowStyle.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const auto folder = std::filesystem::temp_directory_path() / "e2e-tests-runtime";
        std::filesystem::create_directories(folder);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", folder.string().c_str());
    }
    QApplication app(argc, argv);
    QApplication::setStyle(new sonavel::WindowStyle);  // as the editor runs
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
