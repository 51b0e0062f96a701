#include "web/encoders.h"

#include "text/codepage.h"

namespace velmora {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendEscape(Text& out, unsigned char byte) {
    out.push_back('%');
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

bool isAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Printable punctuation (0x21-0x2F, 0x3A-0x40, 0x5B-0x60, 0x7B-0x7E) plus
// TAB, LF and CR.
bool isUrlSpecialCharacter(unsigned char c) {
    if (c == '\t' || c == '\n' || c == '\r') return true;
    return c >= 0x21 && c <= 0x7E && !isAsciiAlnum(c);
}

// Value of a hex digit position: upper-cased, its place in
// "0123456789ABCDEF", or -2 for anything else.
int hexDigitValue(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (int i = 0; i < 16; ++i)
        if (kHexDigits[i] == c) return i;
    return -2;
}

}  // namespace

Text percentEncodeGbk(std::string_view keyword) {
    Text out;
    out.reserve(keyword.size() * 3);
    for (char ch : keyword) {
        auto c = static_cast<unsigned char>(ch);
        if (isAsciiAlnum(c))
            out.push_back(ch);
        else
            appendEscape(out, c);
    }
    return out;
}

Text percentEncodeUtf8(std::string_view keyword) {
    Text out;
    out.reserve(keyword.size() * 5);
    for (std::size_t i = 0; i < keyword.size();) {
        auto c = static_cast<unsigned char>(keyword[i]);
        if (c < 0x80) {
            if (isUrlSpecialCharacter(c))
                appendEscape(out, c);
            else
                out.push_back(keyword[i]);
            ++i;
            continue;
        }
        // The lead byte and the byte after it, whatever it is, form one
        // character (a lead byte at the end is converted alone).
        std::size_t len = i + 1 < keyword.size() ? 2 : 1;
        for (char u : gbkToUtf8(keyword.substr(i, len))) appendEscape(out, static_cast<unsigned char>(u));
        i += len;
    }
    return out;
}

Text percentDecodeUtf8(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '%') {
            bytes.push_back(text[i]);
            ++i;
            continue;
        }
        int high = i + 1 < text.size() ? hexDigitValue(text[i + 1]) : 0;
        int low = i + 2 < text.size() ? hexDigitValue(text[i + 2]) : 0;
        auto value = static_cast<unsigned char>((16 * high + low) & 0xFF);
        if (value != 0) bytes.push_back(static_cast<char>(value));
        i += 3;
    }
    return utf8ToGbk(bytes);
}

}  // namespace velmora
