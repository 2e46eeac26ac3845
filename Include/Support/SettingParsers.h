#pragma once

#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {

/// A count setting: the whole text as an unsigned 32-bit decimal number; the default for empty
/// text, for 0 and for anything that is not such a number.
uint32_t ParseUInt32OrDefault(const std::string& in_text, uint32_t in_default);

/// A size setting: a number of bytes, fractions allowed, with an optional K, M or G (powers of
/// 1024) and an optional B after it, blanks allowed before the unit ("20 MB", "1.5M", "512k").
/// The default for empty, negative or malformed text; sizes past the largest 64-bit number give
/// that number.
uint64_t ParseByteSize(const std::string& in_text, uint64_t in_default);

} // namespace Support
} // namespace Orvik
