#pragma once
// The files of one folder, by their names as the file system holds them (bytes).
#include <string>
#include <vector>

namespace sonavel {

// The names of the regular files in the folder (also through a symbolic link) that match
// the shell pattern, sorted ignoring case. Folders, named pipes, devices and broken or
// looping symbolic links are left out; nothing is opened, so nothing can block. A folder
// that cannot be read, or no longer exists, lists nothing.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& pattern);

}  // namespace sonavel
