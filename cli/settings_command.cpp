// velmora-cli settings: every host setting as "key = value" lines, in the
// format that --settings reads, so the output can be edited and fed back.
#include <iostream>

#include "cli_options.h"
#include "command.h"
#include "settings/host_settings.h"

namespace velmora::cli {

namespace {

int runSettings(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (std::optional<std::string> error = applySettingsOption(args)) return usageError(*error);
    if (!args.empty()) return usageError("settings takes no arguments besides --settings FILE");
    std::cout << formatHostSettings(hostSettings());
    return kExitOk;
}

CommandRegistrar registrar{{"settings", "settings [--settings FILE]", &runSettings}};

}  // namespace

}  // namespace velmora::cli
