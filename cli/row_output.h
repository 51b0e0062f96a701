// How velmora-cli writes result rows: one TSV line per row, or one JSON
// array of objects.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scrapers/result_list.h"

namespace velmora::cli {

enum class CellEncoding { Utf8, Gbk };
enum class OutputFormat { Tsv, Json };

// The --format and --encoding options that every row-printing command takes.
struct RowOutputOptions {
    OutputFormat format = OutputFormat::Tsv;
    CellEncoding encoding = CellEncoding::Utf8;
};

// When args[i] is --format or --encoding, reads it and its value (moving i
// past the value) and returns true; `error` is set when the value is
// missing or unknown. Returns false for any other argument.
bool takeRowOutputOption(const std::vector<std::string>& args, std::size_t& i, RowOutputOptions& options,
                         std::string& error);

// A JSON string literal of UTF-8 text.
std::string jsonString(std::string_view utf8);

// A GBK cell with backslash, TAB, CR and LF written as \\ \t \r \n. The
// walk goes by GBK character, so the second byte of a double-byte
// character (which may be 0x5C) is never escaped.
Text escapeTsvCell(std::string_view gbkCell);

// One printed row: its GBK cells in column order, each with its JSON key.
using NamedCells = std::vector<std::pair<const char*, Text>>;

// The cells of a result row: title, link, site, extra.
NamedCells namedCells(const ResultRow& row);

// The cells TAB-separated and escaped, in the chosen encoding, then "\n".
std::string tsvLine(const NamedCells& cells, CellEncoding encoding);
inline std::string tsvLine(const ResultRow& row, CellEncoding encoding) {
    return tsvLine(namedCells(row), encoding);
}

// One JSON object per row, keyed as the cells say, in UTF-8, then "\n".
std::string jsonArray(const std::vector<NamedCells>& rows);
std::string jsonArray(const std::vector<ResultRow>& rows);

}  // namespace velmora::cli
