#include "HexText.h"

#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr char HEX_DIGITS[] = "0123456789ABCDEF";

/// Bytes turned into text per pass of WriteAs.
constexpr int64_t BYTES_PER_PASS = 256;

} // namespace

void HexText::Write(const uint8_t* in_bytes, int64_t in_count, char* out_text)
{
    for (int64_t i = 0; i < in_count; ++i)
    {
        out_text[2 * i] = HEX_DIGITS[in_bytes[i] >> 4];
        out_text[2 * i + 1] = HEX_DIGITS[in_bytes[i] & 0x0F];
    }
}

void HexText::WriteAs(
    const uint8_t* in_bytes, int64_t in_count, uint8_t* out_target, EncodingType in_encoding, bool in_terminate)
{
    const int64_t unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
    char text[2 * BYTES_PER_PASS];
    for (int64_t done = 0; done < in_count; done += BYTES_PER_PASS)
    {
        const int64_t pass = std::min(BYTES_PER_PASS, in_count - done);
        Write(in_bytes + done, pass, text);
        PlatformStringConverter::WriteAsciiAs(
            text, 2 * pass, out_target + 2 * done * unitSize, 2 * pass * unitSize, in_encoding, false);
    }
    if (in_terminate)
    {
        PlatformStringConverter::WriteAsciiAs(
            "", 0, out_target + 2 * in_count * unitSize, unitSize, in_encoding, true);
    }
}

} // namespace Support
} // namespace Orvik
