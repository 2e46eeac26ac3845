#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// An index into the table of the encodings the driver knows (0 to ENCODING_COUNT - 1); each row
/// names the ICU converter used for it.
typedef int32_t EncodingType;

/// No encoding; accepted only where an operation says so.
constexpr EncodingType ENC_NONE = -1;
constexpr EncodingType ENC_UTF8 = 0;
constexpr EncodingType ENC_UTF16_LE = 1;
constexpr EncodingType ENC_UTF16_BE = 2;
constexpr EncodingType ENC_UTF32_LE = 3;
constexpr EncodingType ENC_UTF32_BE = 4;
constexpr EncodingType ENC_LATIN1 = 5;
constexpr EncodingType ENC_CP1252 = 6;
constexpr EncodingType ENC_US_ASCII = 7;

/// The number of rows of the encoding table.
constexpr EncodingType ENCODING_COUNT = 120;

} // namespace Support
} // namespace Orvik
