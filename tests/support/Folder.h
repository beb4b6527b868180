#pragma once
// A private folder for a test's files, removed with everything in it when the object goes.
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace sonavel::test {

class Folder {
public:
    // Removed here before Qt tries, as Qt leaves names that are not UTF-8 behind.
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path(), ignored);
    }
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const { return path() + "/" + name; }  // names are bytes
    void write(const std::string& name, const std::string& content) const {
        std::ofstream(file(name), std::ios::binary) << content;
    }
    // Empty when there is no such file.
    std::string read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Entries, hidden ones included.
    int count() const {
        return int(std::distance(std::filesystem::directory_iterator(path()), std::filesystem::directory_iterator()));
    }

private:
    QTemporaryDir dir_;
};

}  // namespace sonavel::test
