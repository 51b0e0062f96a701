// velmora-cli search: runs the sites of one search mode, exactly as the
// desktop run does, and prints the rows (stdout) and how each site went
// (stderr).
#include <cstdio>
#include <iostream>
#include <optional>

#include "cli_options.h"
#include "command.h"
#include "interrupt_watcher.h"
#include "row_output.h"
#include "scrapers/memory_result_list.h"
#include "scrapers/scraper_table.h"
#include "text/codepage.h"

namespace velmora::cli {

namespace {

constexpr int kExitInterrupted = 128 + SIGINT;

struct SearchOptions : RowOutputOptions {
    std::int32_t mode = OnlinePlay;
    std::string keywordUtf8;
};

std::optional<std::int32_t> parseModeCode(const std::string& text) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    std::int32_t code = std::stoi(text);
    if (!isSearchMode(code)) return std::nullopt;
    return code;
}

// Fills `options` or returns the usage message.
std::optional<std::string> parseSearchOptions(const std::vector<std::string>& args, SearchOptions& options) {
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            operands.insert(operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        std::string error;
        if (takeRowOutputOption(args, i, options, error)) {
            if (!error.empty()) return error;
        } else if (arg == "--mode") {
            if (i + 1 >= args.size()) return arg + " needs a value";
            std::optional<std::int32_t> code = parseModeCode(args[++i]);
            if (!code) return "unknown mode '" + args[i] + "' (1, 11, 12, 2, 3 or 4)";
            options.mode = *code;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            operands.push_back(arg);
        }
    }
    if (operands.size() != 1) return "search needs exactly one KEYWORD";
    if (operands[0].empty()) return "the keyword is empty";
    options.keywordUtf8 = operands[0];
    return std::nullopt;
}

// Shows the run on the terminal: one stderr line per finished site, and
// in TSV the rows of each site as soon as it is done.
class TerminalRun final : public ModeRunHooks {
public:
    TerminalRun(const SearchOptions& options, const MemoryResultList& list)
        : options_(options), list_(list), keyword_(utf8ToGbk(options.keywordUtf8)) {}

    void showStatus(const Text&) override {}
    Text readKeyword() override { return keyword_; }

    void siteFinished(const SiteReport& report) override {
        if (options_.format == OutputFormat::Tsv) printNewRows();
        std::cerr << gbkToUtf8(report.statusText) << '\t' << report.elapsed.count() << " ms\t"
                  << report.pageBytes << " bytes\t" << report.rows << " rows\t" << verdictName(report.verdict)
                  << std::endl;
    }

    void finish() {
        if (options_.format == OutputFormat::Tsv)
            printNewRows();
        else
            std::fputs(jsonArray(list_.rows()).c_str(), stdout);
        std::fflush(stdout);
    }

private:
    void printNewRows() {
        const auto& rows = list_.rows();
        for (; printed_ < rows.size(); ++printed_) {
            std::string line = tsvLine(rows[printed_], options_.encoding);
            std::fwrite(line.data(), 1, line.size(), stdout);
        }
        std::fflush(stdout);
    }

    const SearchOptions& options_;
    const MemoryResultList& list_;
    Text keyword_;
    std::size_t printed_ = 0;
};

int runSearch(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (std::optional<std::string> error = applySettingsOption(args)) return usageError(*error);
    SearchOptions options;
    if (std::optional<std::string> error = parseSearchOptions(args, options)) return usageError(*error);

    ScraperTable table = createScraperTable();
    MemoryResultList list;
    TerminalRun terminal(options, list);
    InterruptWatcher interrupt;
    runModeSites(table, options.mode, terminal, list, interrupt.token());
    terminal.finish();
    return interrupt.interrupted() ? kExitInterrupted : kExitOk;
}

CommandRegistrar registrar{
    {"search", "search [--mode CODE] [--settings FILE] [--format tsv|json] [--encoding utf8|gbk] KEYWORD",
     &runSearch}};

}  // namespace

}  // namespace velmora::cli
