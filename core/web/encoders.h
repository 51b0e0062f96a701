// Keyword encoders for search addresses, and the decoder for texts taken
// from UTF-8 pages. Pure functions, safe on any thread.
#pragma once

#include "text/text.h"

namespace velmora {

// Percent-encodes every byte of the GBK keyword except ASCII letters and
// digits ("%" + two upper-case hex digits).
Text percentEncodeGbk(std::string_view keyword);

// Percent-encodes the UTF-8 form of the GBK keyword: ASCII punctuation,
// TAB, LF and CR are escaped, other ASCII (the space included) passes, and
// each double-byte GBK character becomes its escaped UTF-8 bytes.
Text percentEncodeUtf8(std::string_view keyword);

// Decodes percent escapes and reads the resulting bytes as UTF-8, giving
// GBK text. A "%" always consumes the two positions after it.
Text percentDecodeUtf8(std::string_view text);

}  // namespace velmora
