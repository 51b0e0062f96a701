// velmora-cli: the core of the desktop program on the command line, for
// scripting, for checking that the sites still answer, and for tests.
#include <cstdio>
#include <iostream>
#include <map>
#include <string>

#include "command.h"

namespace velmora::cli {

namespace {
std::map<std::string, Command>& commands() {
    static std::map<std::string, Command> registry;
    return registry;
}
}  // namespace

CommandRegistrar::CommandRegistrar(Command command) { commands().emplace(command.name, command); }

int usageError(const std::string& message) {
    std::cerr << "velmora-cli: " << message << "\n";
    return kExitUsage;
}

}  // namespace velmora::cli

int main(int argc, char** argv) {
    using namespace velmora::cli;
    if (argc < 2) {
        std::string names;
        for (const auto& [name, command] : commands()) names += (names.empty() ? "" : "|") + name;
        return usageError("usage: velmora-cli " + names + " ...");
    }
    auto it = commands().find(argv[1]);
    if (it == commands().end()) return usageError(std::string("unknown command '") + argv[1] + "'");
    std::vector<std::string> args(argv + 2, argv + argc);
    int code = it->second.run(args);
    std::fflush(stdout);
    return code;
}
