// velmora-cli dj: the DJ browser's catalogue and track lookup on the
// command line, over the same core functions as the DJ window.
//   dj list [options] CATEGORY PAGE   the rows of one list page
//   dj track [options] CELL           the media address behind a "播放地址" cell
#include <climits>
#include <cstdio>
#include <iostream>
#include <optional>

#include "cli_options.h"
#include "command.h"
#include "dj/dj_catalogue.h"
#include "dj/dj_track.h"
#include "row_output.h"
#include "text/codepage.h"

namespace velmora::cli {

namespace {

struct DjOptions : RowOutputOptions {
    std::vector<std::string> operands;
};

std::optional<std::string> parseDjOptions(const std::vector<std::string>& args, DjOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            options.operands.insert(options.operands.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                    args.end());
            break;
        }
        std::string error;
        if (takeRowOutputOption(args, i, options, error)) {
            if (!error.empty()) return error;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            options.operands.push_back(arg);
        }
    }
    return std::nullopt;
}

// Arguments arrive in the terminal's encoding: GBK with --encoding gbk,
// UTF-8 otherwise.
Text argumentText(const std::string& arg, CellEncoding encoding) {
    return encoding == CellEncoding::Gbk ? arg : utf8ToGbk(arg);
}

std::string outputText(const Text& gbkText, CellEncoding encoding) {
    return encoding == CellEncoding::Gbk ? gbkText : gbkToUtf8(gbkText);
}

// A category by its tree name, its place in the tree (1-5) or the word of
// its path ("chinese" for "/dance/sort/chinese_").
const DjCategory* parseCategory(const std::string& arg, CellEncoding encoding) {
    if (const DjCategory* byName = findDjCategory(argumentText(arg, encoding))) return byName;
    const auto& categories = djCategories();
    if (arg.size() == 1 && arg[0] >= '1' && arg[0] <= '5')
        return &categories[static_cast<std::size_t>(arg[0] - '1')];
    for (const DjCategory& category : categories)
        if (toLowerAscii("/dance/sort/" + arg + "_") == toLowerAscii(category.pathPrefix)) return &category;
    return nullptr;
}

std::optional<int> parsePage(const std::string& arg) {
    if (arg.empty() || arg.size() > 10 || arg.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    long long page = std::stoll(arg);
    if (page > INT_MAX) return std::nullopt;
    return static_cast<int>(page);
}

// Columns in list order: name, author, date added, link.
NamedCells namedCells(const DjTrackRow& row) {
    return {{"name", row.name}, {"author", row.author}, {"date", row.dateAdded}, {"link", row.link}};
}

void printRows(const std::vector<DjTrackRow>& rows, const DjOptions& options) {
    std::vector<NamedCells> cells;
    for (const DjTrackRow& row : rows) cells.push_back(namedCells(row));
    std::string out;
    if (options.format == OutputFormat::Tsv) {
        for (const NamedCells& row : cells) out += tsvLine(row, options.encoding);
    } else {
        out = jsonArray(cells);
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int runList(const DjOptions& options) {
    if (options.operands.size() != 3) return usageError("dj list needs CATEGORY and PAGE");
    const DjCategory* category = parseCategory(options.operands[1], options.encoding);
    if (!category)
        return usageError("unknown category '" + options.operands[1] +
                          "' (a name of the tree, 1-5, or Kushiyaki|chinese|foreign|remix|recommend)");
    std::optional<int> page = parsePage(options.operands[2]);
    if (!page) return usageError("PAGE must be a whole number from 0 on, not '" + options.operands[2] + "'");

    const Text address = djListPageAddress(djCategoryPrefix(*category), *page);
    DjRegex regex;
    std::optional<std::vector<DjTrackRow>> rows = loadDjListPage(address, regex);
    printRows(rows ? *rows : std::vector<DjTrackRow>{}, options);
    std::cerr << address << '\t' << (rows ? rows->size() : 0) << " rows" << std::endl;
    return kExitOk;
}

int runTrack(const DjOptions& options) {
    if (options.operands.size() != 2) return usageError("dj track needs exactly one CELL");
    const Text cell = argumentText(options.operands[1], options.encoding);
    DjRegex regex;
    const Text address = lookupTrackAddress(cell, regex);
    if (address.empty()) {
        std::cerr << "velmora-cli: no media address on "
                  << outputText(djBaseAddress() + cell, options.encoding) << "\n";
        return kExitFailure;
    }
    std::string line = outputText(address, options.encoding) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return kExitOk;
}

int runDj(const std::vector<std::string>& arguments) {
    std::vector<std::string> args = arguments;
    if (std::optional<std::string> error = applySettingsOption(args)) return usageError(*error);
    DjOptions options;
    if (std::optional<std::string> error = parseDjOptions(args, options)) return usageError(*error);
    if (options.operands.empty()) return usageError("dj needs 'list CATEGORY PAGE' or 'track CELL'");
    if (options.operands[0] == "list") return runList(options);
    if (options.operands[0] == "track") return runTrack(options);
    return usageError("unknown dj command '" + options.operands[0] + "' (list or track)");
}

CommandRegistrar registrar{{"dj",
                            "dj [--settings FILE] [--format tsv|json] [--encoding utf8|gbk] "
                            "list CATEGORY PAGE | track CELL",
                            &runDj}};

}  // namespace

}  // namespace velmora::cli
