#pragma once
// A private folder for a test's files, removed with everything in it when the object goes.
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace sonavel::test {

class Folder {
public:
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }
    void write(const std::string& name, const std::string& content) const {
        std::ofstream(file(name), std::ios::binary) << content;
    }
    // Empty when there is no such file.
    std::string read(const std::string& name) const {
        std::ostringstream content;
        content << std::ifstream(file(name), std::ios::binary).rdbuf();
        return content.str();
    }
    // Entries, hidden ones included.
    int count() const {
        const auto entries = std::filesystem::directory_iterator(path());
        return static_cast<int>(std::distance(begin(entries), end(entries)));
    }

private:
    QTemporaryDir dir_;
};

}  // namespace sonavel::test
