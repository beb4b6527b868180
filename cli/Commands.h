#pragma once
// The subcommands of sonavel-cli. Each takes the words after its name, writes its result
// to stdout or the named files, returns its exit status and throws CliError for anything
// that went wrong.
#include <string>
#include <vector>

namespace sonavel::cli {

using Words = std::vector<std::string>;

int PresetShow(const Words& words);
int PresetMake(const Words& words);
int PresetDiffCommand(const Words& words);
int Plot(const Words& words);
int EqImport(const Words& words);
int EqExport(const Words& words);

int Scan(const Words& words);
int ReadUnits(const Words& words);
int WriteUnits(const Words& words);
int StoreUnits(const Words& words);
int RecallUnits(const Words& words);

// Every command's synopsis, the ports and the exit statuses.
std::string UsageText();
// One command's synopsis and options ("preset show", "scan", ...); empty for no such command.
std::string CommandHelpText(const std::string& name);

}  // namespace sonavel::cli
