#include "row_output.h"

#include <cstdio>

#include "text/codepage.h"

namespace velmora::cli {

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char ch : utf8) {
        auto c = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04X", c);
                    out += escape;
                } else {
                    out.push_back(ch);
                }
        }
    }
    return out + "\"";
}

bool takeRowOutputOption(const std::vector<std::string>& args, std::size_t& i, RowOutputOptions& options,
                         std::string& error) {
    const std::string& arg = args[i];
    if (arg != "--format" && arg != "--encoding") return false;
    if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return true;
    }
    const std::string& value = args[++i];
    if (arg == "--format") {
        if (value == "tsv")
            options.format = OutputFormat::Tsv;
        else if (value == "json")
            options.format = OutputFormat::Json;
        else
            error = "unknown format '" + value + "' (tsv or json)";
    } else {
        if (value == "utf8")
            options.encoding = CellEncoding::Utf8;
        else if (value == "gbk")
            options.encoding = CellEncoding::Gbk;
        else
            error = "unknown encoding '" + value + "' (utf8 or gbk)";
    }
    return true;
}

Text escapeTsvCell(std::string_view gbkCell) {
    Text out;
    out.reserve(gbkCell.size());
    for (std::size_t pos = 0; pos < gbkCell.size();) {
        std::size_t length = gbkCharLength(gbkCell, pos);
        if (length == 2) {
            out.append(gbkCell.substr(pos, 2));
        } else {
            switch (gbkCell[pos]) {
                case '\\':
                    out += "\\\\";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                default:
                    out.push_back(gbkCell[pos]);
            }
        }
        pos += length;
    }
    return out;
}

NamedCells namedCells(const ResultRow& row) {
    return {{"title", row.title}, {"link", row.link}, {"site", row.site}, {"extra", row.extra}};
}

std::string tsvLine(const NamedCells& cells, CellEncoding encoding) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) line.push_back('\t');
        Text cell = escapeTsvCell(cells[i].second);
        line += encoding == CellEncoding::Utf8 ? gbkToUtf8(cell) : cell;
    }
    return line + "\n";
}

std::string jsonArray(const std::vector<NamedCells>& rows) {
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += i == 0 ? "\n  {" : ",\n  {";
        for (std::size_t c = 0; c < rows[i].size(); ++c) {
            if (c != 0) out += ", ";
            out += jsonString(rows[i][c].first) + ": " + jsonString(gbkToUtf8(rows[i][c].second));
        }
        out += "}";
    }
    out += rows.empty() ? "]\n" : "\n]\n";
    return out;
}

std::string jsonArray(const std::vector<ResultRow>& rows) {
    std::vector<NamedCells> cells;
    cells.reserve(rows.size());
    for (const ResultRow& row : rows) cells.push_back(namedCells(row));
    return jsonArray(cells);
}

}  // namespace velmora::cli
