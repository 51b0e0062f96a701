// velmora-cli commands. Each command lives in a file of its own and
// registers itself here; main() dispatches on the first argument.
#pragma once

#include <string>
#include <vector>

namespace velmora::cli {

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct Command {
    const char* name;   // "fetch"
    const char* usage;  // "fetch [--settings FILE] ADDRESS"
    // Receives the arguments after the command name.
    int (*run)(const std::vector<std::string>& args);
};

struct CommandRegistrar {
    explicit CommandRegistrar(Command command);
};

// Prints "velmora-cli: MESSAGE" as one line on stderr and returns kExitUsage.
int usageError(const std::string& message);

}  // namespace velmora::cli
