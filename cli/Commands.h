#pragma once
// The subcommands of sonavel-cli. Each takes the words after its name, writes its result
// to stdout or the named files, and throws CliError for anything that went wrong.
#include <string>
#include <vector>

namespace sonavel::cli {

using Words = std::vector<std::string>;

void PresetShow(const Words& words);
void PresetMake(const Words& words);
void PresetDiffCommand(const Words& words);
void Plot(const Words& words);

void Scan(const Words& words);
void ReadUnits(const Words& words);
void WriteUnits(const Words& words);
void StoreUnits(const Words& words);
void RecallUnits(const Words& words);

std::string UsageText();

}  // namespace sonavel::cli
