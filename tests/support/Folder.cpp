#include "tests/support/Folder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace sonavel::test {

std::string Folder::file(const std::string& name) const {
    return dir_.filePath(QString::fromStdString(name)).toStdString();
}

void Folder::write(const std::string& name, const std::string& content) const {
    std::ofstream(file(name), std::ios::binary) << content;
}

std::string Folder::read(const std::string& name) const {
    std::ostringstream content;
    content << std::ifstream(file(name), std::ios::binary).rdbuf();
    return content.str();
}

int Folder::count() const {
    const auto entries = std::filesystem::directory_iterator(path());
    return static_cast<int>(std::distance(begin(entries), end(entries)));
}

}  // namespace sonavel::test
