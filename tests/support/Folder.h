#pragma once
// A private folder for a test's files, removed with everything in it when the object goes.
#include <QTemporaryDir>
#include <string>

namespace sonavel::test {

class Folder {
public:
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const;
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;  // empty when there is no such file
    int count() const;                                // entries, hidden ones included

private:
    QTemporaryDir dir_;
};

}  // namespace sonavel::test
