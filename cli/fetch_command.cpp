// velmora-cli fetch ADDRESS: the page body, as the program would see it,
// written to stdout byte for byte.
#include <signal.h>

#include <cstdio>

#include "cli_options.h"
#include "command.h"
#include "interrupt_watcher.h"
#include "web/fetch.h"

namespace velmora::cli {

namespace {

constexpr int kExitInterrupted = 128 + SIGINT;

int run(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (std::optional<std::string> error = applySettingsOption(args)) return usageError("fetch: " + *error);
    if (args.size() != 1) return usageError("usage: velmora-cli fetch [--settings FILE] ADDRESS");
    if (args[0].empty()) return usageError("fetch: the address is empty");
    if (args[0][0] == '-') return usageError("fetch: unknown option '" + args[0] + "'");

    InterruptWatcher watcher;
    ScopedFetchStopToken stopOnInterrupt(watcher.token());
    Text body = fetchPage(args[0]);
    // An interrupted fetch is incomplete: print none of it.
    if (watcher.interrupted()) return kExitInterrupted;
    if (!body.empty() && std::fwrite(body.data(), 1, body.size(), stdout) != body.size()) return kExitFailure;
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

CommandRegistrar reg{{"fetch", "fetch [--settings FILE] ADDRESS", &run}};

}  // namespace

}  // namespace velmora::cli
