#pragma once

#include "Support/EncodingType.h"

namespace Orvik {
namespace Support {

/// True for the single-byte encodings whose bytes 0 to 127 are ASCII: UTF-8, the Latin and
/// Windows code pages, the ASCII-based IBM PC code pages. False for UTF-16 and UTF-32, the
/// multi-byte East-Asian encodings, the EBCDIC code pages, KOI8-R, windows-1253, TIS-620 and every
/// value outside the encoding table. The to-SQL converters copy such text byte for byte.
bool IsAsciiCompatibleEncoding(EncodingType in_encoding);

} // namespace Support
} // namespace Orvik
