// How velmora-cli writes result rows: one TSV line per row, or one JSON
// array of objects.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scrapers/result_list.h"

namespace velmora::cli {

enum class CellEncoding { Utf8, Gbk };

// A GBK cell with backslash, TAB, CR and LF written as \\ \t \r \n. The
// walk goes by GBK character, so the second byte of a double-byte
// character (which may be 0x5C) is never escaped.
Text escapeTsvCell(std::string_view gbkCell);

// "title\tlink\tsite\textra\n", escaped, in the chosen encoding.
std::string tsvLine(const ResultRow& row, CellEncoding encoding);

// [{"title":..,"link":..,"site":..,"extra":..},...] in UTF-8, then "\n".
std::string jsonArray(const std::vector<ResultRow>& rows);

}  // namespace velmora::cli
