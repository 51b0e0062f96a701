#include "text/text.h"

#include <climits>

namespace velmora {

namespace {

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Does `needle` stand at byte `pos` of `text`? Only ASCII letters may differ
// in case, and only when `ignoreCase`; a byte >= 0x80 never folds.
bool matchesAt(std::string_view text, std::size_t pos, std::string_view needle, bool ignoreCase) {
    if (text.size() - pos < needle.size()) return false;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        char a = text[pos + i];
        char b = needle[i];
        if (a == b) continue;
        if (!ignoreCase || asciiLower(a) != asciiLower(b)) return false;
    }
    return true;
}

int findImpl(std::string_view text, std::string_view needle, int from, bool ignoreCase) {
    if (from < 1) from = 1;
    if (needle.empty() || static_cast<std::size_t>(from - 1) > text.size()) return kNotFound;
    for (std::size_t pos = static_cast<std::size_t>(from - 1); pos < text.size();
         pos += gbkCharLength(text, pos)) {
        if (matchesAt(text, pos, needle, ignoreCase)) return static_cast<int>(pos + 1);
    }
    return kNotFound;
}

}  // namespace

std::size_t gbkCharLength(std::string_view text, std::size_t pos) {
    if (static_cast<unsigned char>(text[pos]) >= 0x80 && pos + 1 < text.size()) return 2;
    return 1;
}

int findText(std::string_view text, std::string_view needle, int from) {
    return findImpl(text, needle, from, false);
}

int findTextIgnoreCase(std::string_view text, std::string_view needle, int from) {
    return findImpl(text, needle, from, true);
}

Text removeAll(std::string_view text, std::string_view what) { return replaceAll(text, what, {}); }

Text replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return Text(text);
    Text out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (matchesAt(text, pos, from, false)) {
            out.append(to);
            pos += from.size();
            continue;
        }
        std::size_t len = gbkCharLength(text, pos);
        out.append(text.substr(pos, len));
        pos += len;
    }
    return out;
}

Text leftBytes(std::string_view text, std::size_t count) { return Text(text.substr(0, count)); }

Text rightBytes(std::string_view text, std::size_t count) {
    if (count >= text.size()) return Text(text);
    return Text(text.substr(text.size() - count));
}

Text toUpperAscii(std::string_view text) {
    Text out(text);
    for (std::size_t pos = 0; pos < out.size(); pos += gbkCharLength(out, pos))
        out[pos] = asciiUpper(out[pos]);
    return out;
}

Text toLowerAscii(std::string_view text) {
    Text out(text);
    for (std::size_t pos = 0; pos < out.size(); pos += gbkCharLength(out, pos))
        out[pos] = asciiLower(out[pos]);
    return out;
}

int readLeadingNumber(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace velmora
