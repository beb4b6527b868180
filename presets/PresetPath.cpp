#include "presets/PresetPath.h"

#include <climits>

namespace sonavel {

namespace {
constexpr size_t kMaxPath = PATH_MAX - 1;   // bytes, without the terminating NUL
constexpr size_t kMaxFileName = NAME_MAX;   // bytes of one path component
}  // namespace

Outcome<std::string> PresetPath(const std::string& folder, const std::string& fileName) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += fileName;
    if (path.size() > kMaxPath)
        return Status::Failure("the path of " + fileName + " is longer than " +
                               std::to_string(kMaxPath) + " bytes");
    return path;
}

Status CheckPresetName(const std::string& name) {
    if (name.find_first_not_of(" \t\r\n\v\f") == std::string::npos)
        return Status::Failure("the preset name is empty");
    if (name.find('/') != std::string::npos)
        return Status::Failure("the preset name \"" + name + "\" contains a \"/\"");
    if (name.find('\0') != std::string::npos)
        return Status::Failure("the preset name contains a NUL character");
    if (name == "." || name == "..")
        return Status::Failure("\"" + name + "\" cannot be a preset name");
    if (name.size() + std::string(kPresetExtension).size() > kMaxFileName)
        return Status::Failure("the preset name is longer than " +
                               std::to_string(kMaxFileName - 4) + " bytes");
    return Status::Success();
}

Outcome<std::string> SavePathForName(const std::string& folder, const std::string& name) {
    if (Status check = CheckPresetName(name); !check.ok()) return check;
    return PresetPath(folder, name + kPresetExtension);
}

}  // namespace sonavel
