#pragma once
// Where a preset file lives: a folder and a file name joined by one separator.
#include <string>

#include "presets/Outcome.h"

namespace sonavel {

constexpr const char* kPresetExtension = ".bin";

// folder + "/" + name; no separator is added after a folder that already ends in one (the
// root folder "/"), and an empty folder means the current one. A path too long for this
// system is refused, never cut.
Outcome<std::string> PresetPath(const std::string& folder, const std::string& fileName);

// A name typed for Save must give a usable file name: not empty or blank, no "/" or NUL,
// not "." or "..", and short enough for this system with ".bin" added.
Status CheckPresetName(const std::string& name);

// The Save path of a typed name: the checked name with ".bin", in the folder.
Outcome<std::string> SavePathForName(const std::string& folder, const std::string& name);

}  // namespace sonavel
