#include "cli_options.h"

#include "settings/host_settings.h"

namespace velmora::cli {

std::optional<std::string> applySettingsOption(std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;  // what follows is an operand, not an option
        if (args[i] != "--settings") continue;
        if (i + 1 >= args.size()) return "--settings needs a file";
        std::string error;
        std::optional<HostSettings> settings = loadHostSettingsFile(args[i + 1], &error);
        if (!settings) return error;
        setHostSettings(*settings);
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        --i;
    }
    return std::nullopt;
}

}  // namespace velmora::cli
