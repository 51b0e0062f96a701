// Options shared by several velmora-cli commands.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmora::cli {

// Takes "--settings FILE" out of `args` and puts the file's host settings
// in force for this process. Returns a one-line message for usageError
// when the option lacks its file or the file cannot be read or parsed.
std::optional<std::string> applySettingsOption(std::vector<std::string>& args);

}  // namespace velmora::cli
