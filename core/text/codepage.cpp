#include "text/codepage.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <memory>

namespace velmora {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr char16_t kQuestion = u'?';

// The GBK mapping, read once from iconv's CP936 tables into two flat
// arrays, so that every later conversion is a table look-up and no
// conversion descriptor is shared between threads.
struct GbkTables {
    // Unicode of a double-byte character, indexed by lead << 8 | trail;
    // 0 where the pair is not a GBK character.
    std::array<char16_t, 0x10000> pairToUnicode{};
    // Unicode of a single byte >= 0x80 (only 0x80, the euro sign, has one).
    std::array<char16_t, 0x80> highByteToUnicode{};
    // GBK of a UTF-16 code unit: 0 for none, a value below 0x100 for one
    // byte, otherwise lead << 8 | trail.
    std::array<std::uint16_t, 0x10000> unicodeToGbk{};

    GbkTables() {
        iconv_t decoder = iconv_open("UTF-16LE", "CP936");
        if (decoder == reinterpret_cast<iconv_t>(-1)) return;
        auto convert = [&](const char* in, std::size_t inLen) -> char16_t {
            char outBuf[8];
            char* inPtr = const_cast<char*>(in);
            char* outPtr = outBuf;
            std::size_t inLeft = inLen;
            std::size_t outLeft = sizeof outBuf;
            iconv(decoder, nullptr, nullptr, nullptr, nullptr);
            if (iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
                inLeft != 0 || sizeof outBuf - outLeft != 2)
                return 0;
            return static_cast<char16_t>(static_cast<unsigned char>(outBuf[0]) |
                                         static_cast<unsigned char>(outBuf[1]) << 8);
        };
        for (int b = 0x80; b <= 0xFF; ++b) {
            char in[1] = {static_cast<char>(b)};
            highByteToUnicode[b - 0x80] = convert(in, 1);
            if (char16_t u = highByteToUnicode[b - 0x80]) unicodeToGbk[u] = static_cast<std::uint16_t>(b);
        }
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char16_t u = convert(in, 2);
                if (u == 0) continue;
                std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | trail);
                pairToUnicode[code] = u;
                // Keep the first (canonical) code where two map to one character.
                if (unicodeToGbk[u] == 0) unicodeToGbk[u] = code;
            }
        }
        iconv_close(decoder);
        for (int a = 0; a < 0x80; ++a) unicodeToGbk[a] = static_cast<std::uint16_t>(a);
    }
};

const GbkTables& tables() {
    static const auto instance = std::make_unique<GbkTables>();
    return *instance;
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | cp >> 6));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | cp >> 12));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | cp >> 18));
        out.push_back(static_cast<char>(0x80 | (cp >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

void appendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | cp >> 10));
        out.push_back(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
    }
}

}  // namespace

std::u16string gbkToUtf16(std::string_view gbk) {
    const GbkTables& t = tables();
    std::u16string out;
    out.reserve(gbk.size());
    for (std::size_t i = 0; i < gbk.size();) {
        auto b = static_cast<unsigned char>(gbk[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        if (i + 1 < gbk.size()) {
            auto trail = static_cast<unsigned char>(gbk[i + 1]);
            if (char16_t u = t.pairToUnicode[b << 8 | trail]) {
                out.push_back(u);
                i += 2;
                continue;
            }
        }
        // A byte that starts no valid pair stands for itself when it has a
        // single-byte mapping (the euro sign), otherwise for "?"; a trail
        // byte that did not fit is read again as a character of its own.
        char16_t single = t.highByteToUnicode[b - 0x80];
        out.push_back(single ? single : kQuestion);
        ++i;
    }
    return out;
}

std::string utf16ToGbk(std::u16string_view utf16) {
    const GbkTables& t = tables();
    std::string out;
    out.reserve(utf16.size() * 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char16_t u = utf16[i];
        if (isHighSurrogate(u) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1])) {
            // GBK has no character outside the BMP: one "?" for the pair.
            out.push_back('?');
            ++i;
            continue;
        }
        std::uint16_t code = t.unicodeToGbk[u];
        if (u != 0 && code == 0) {
            out.push_back('?');
        } else if (code < 0x100) {
            out.push_back(static_cast<char>(code));
        } else {
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        }
    }
    return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    const std::size_t n = utf8.size();
    auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    for (std::size_t i = 0; i < n;) {
        unsigned char b = byteAt(i);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        // Each maximal ill-formed subsequence becomes one U+FFFD, as the
        // Unicode standard recommends and current Windows does.
        int need = 0;
        char32_t cp = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            need = 1, cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            need = 2, cp = b & 0x0F;
            if (b == 0xE0) lo = 0xA0;
            if (b == 0xED) hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            need = 3, cp = b & 0x07;
            if (b == 0xF0) lo = 0x90;
            if (b == 0xF4) hi = 0x8F;
        } else {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < need; ++k, ++j) {
            if (j >= n) {
                ok = false;
                break;
            }
            unsigned char c = byteAt(j);
            unsigned char min = k == 0 ? lo : 0x80;
            unsigned char max = k == 0 ? hi : 0xBF;
            if (c < min || c > max) {
                ok = false;
                break;
            }
            cp = cp << 6 | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(kReplacement);
            i = j;
            continue;
        }
        appendUtf16(out, cp);
        i = j;
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char16_t u = utf16[i];
        if (isHighSurrogate(u) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1])) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
            ++i;
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            appendUtf8(out, kReplacement);
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::string gbkToUtf8(std::string_view gbk) { return utf16ToUtf8(gbkToUtf16(gbk)); }

std::string utf8ToGbk(std::string_view utf8) { return utf16ToGbk(utf8ToUtf16(utf8)); }

}  // namespace velmora
