#include "DSI/Client/DSITypeUtilities.h"

#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/EncodingInfo.h"
#include "Support/IPlatformStringConverter.h"
#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/orvik_wstring.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace Orvik {
namespace DSI {

using Support::EncodingConverter;
using Support::EncodingInfo;
using Support::EncodingType;
using Support::orvik_wstring;
using Support::SqlData;

namespace {

constexpr int64_t NO_LIMIT = -1;

/// Skipping an offset converts in steps of at least this many bytes.
constexpr int64_t SKIP_BUFFER_SIZE = 32768;

/// Room for one whole character and a terminator in any encoding of the table.
constexpr int32_t CHARACTER_SCRATCH_SIZE = 8;

Platform& RequirePlatform()
{
    Platform* platform = Platform::GetPlatform();
    if (platform == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return *platform;
}

void StoreBytes(SqlData& io_target, const void* in_bytes, int64_t in_length)
{
    io_target.SetLength(static_cast<uint32_t>(in_length));
    if (in_length > 0)
    {
        std::memcpy(io_target.GetBuffer(), in_bytes, static_cast<size_t>(in_length));
    }
}

/// The text's own encoding: its bytes are copied, cut on whole code units where the limit falls
/// inside one, unless that would leave nothing.
bool OutputUtf16(const orvik_wstring& in_text, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    const int64_t remaining = std::max<int64_t>(in_text.GetLengthInBytes() - in_offset, 0);
    const char* start = reinterpret_cast<const char*>(in_text.GetBuffer()) + std::min(in_offset, in_text.GetLengthInBytes());
    if (in_maxLength == NO_LIMIT || in_maxLength >= remaining)
    {
        StoreBytes(io_target, start, remaining);
        return false;
    }
    int64_t length = in_maxLength - (in_offset + in_maxLength) % 2;
    if (length <= 0)
    {
        length = in_maxLength;
    }
    StoreBytes(io_target, start, length);
    return true;
}

/// The whole text in one pass, without an intermediate buffer.
void OutputWhole(const orvik_wstring& in_text, SqlData& io_target, EncodingType in_encoding)
{
    Support::IPlatformStringConverter& converter = RequirePlatform().GetStringConverter();
    const int32_t length = converter.GetRequiredBytes(in_text, in_encoding);
    io_target.SetLength(static_cast<uint32_t>(length));
    bool isTruncated = false;
    converter.FromWString(in_text, io_target.GetBuffer(), length, in_encoding, isTruncated);
}

/// Encodes exactly the next character, or its first code units, which are known to be longer
/// than in_shorterThan bytes, into io_scratch; returns their length, 0 when no text is left. The
/// target grows a byte at a time, so that the first one that takes anything takes no more.
int32_t EncodeOneCharacter(EncodingConverter& io_converter, char* io_scratch, int64_t in_shorterThan, uint8_t in_unitSize)
{
    for (int64_t room = in_shorterThan + 1; room + in_unitSize <= CHARACTER_SCRATCH_SIZE; ++room)
    {
        io_converter.SetTarget(io_scratch, static_cast<int32_t>(room + in_unitSize));
        const int32_t length = io_converter.Convert(true);
        if (length > 0 || !io_converter.NeedsConvert())
        {
            return length;
        }
    }
    return 0;
}

/// Produces and drops in_offset bytes of encoded text. A character that the offset cuts is
/// encoded whole and its bytes after the offset are kept at the start of io_buffer; returns how
/// many, or -1 when the text ends before the offset.
int64_t SkipEncoded(EncodingConverter& io_converter, std::vector<char>& io_buffer, int64_t in_offset, uint8_t in_unitSize)
{
    int64_t remaining = in_offset;
    while (remaining > 0 && io_converter.NeedsConvert())
    {
        const int64_t limit = std::min<int64_t>(static_cast<int64_t>(io_buffer.size()), remaining + in_unitSize);
        io_converter.SetTarget(io_buffer.data(), static_cast<int32_t>(limit));
        const int32_t written = io_converter.Convert(true);
        if (written > 0)
        {
            remaining -= written;
            continue;
        }
        char scratch[CHARACTER_SCRATCH_SIZE];
        const int32_t length = EncodeOneCharacter(io_converter, scratch, remaining, in_unitSize);
        if (length <= remaining)
        {
            return -1;
        }
        std::copy(scratch + remaining, scratch + length, io_buffer.data());
        return length - remaining;
    }
    return remaining > 0 ? -1 : 0;
}

/// Encodes the text again from its start, drops in_offset bytes and delivers the next piece.
bool OutputStreamed(const orvik_wstring& in_text,
                    SqlData& io_target,
                    EncodingType in_encoding,
                    int64_t in_offset,
                    int64_t in_maxLength,
                    int64_t in_bound)
{
    const int64_t byteLength = in_text.GetLengthInBytes();
    if (byteLength > std::numeric_limits<int32_t>::max())
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    std::unique_ptr<EncodingConverter> converter =
        RequirePlatform().GetEncodingConverterFactory().CreateConverter(Support::ENC_UTF16_LE, in_encoding, true);
    converter->SetSource(in_text.GetBuffer(), static_cast<int32_t>(byteLength));

    const uint8_t unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
    const int64_t rest = std::max<int64_t>(in_bound - in_offset, 0);
    const int64_t piece = in_maxLength == NO_LIMIT || in_maxLength >= rest ? rest : in_maxLength;
    const int64_t size = piece + unitSize;
    std::vector<char> buffer(static_cast<size_t>(in_offset > 0 ? std::max(size, SKIP_BUFFER_SIZE) : size));

    const int64_t kept = in_offset > 0 ? SkipEncoded(*converter, buffer, in_offset, unitSize) : 0;
    if (kept < 0)
    {
        StoreBytes(io_target, nullptr, 0);
        return false;
    }
    if (kept >= piece)
    {
        // The limit ends inside the character that the offset cut.
        StoreBytes(io_target, buffer.data(), piece);
        return kept > piece || converter->NeedsConvert();
    }

    converter->SetTarget(buffer.data() + kept, static_cast<int32_t>(size - kept));
    const int64_t length = kept + converter->Convert(true);
    if (length == 0 && piece > 0 && converter->NeedsConvert())
    {
        // The next code unit is longer than the limit: its first bytes, so that the caller moves
        // on; the next call starts inside it.
        char scratch[CHARACTER_SCRATCH_SIZE];
        EncodeOneCharacter(*converter, scratch, piece, unitSize);
        StoreBytes(io_target, scratch, piece);
        return true;
    }
    StoreBytes(io_target, buffer.data(), length);
    return converter->NeedsConvert();
}

} // namespace

bool DSITypeUtilities::OutputStringData(const orvik_wstring& in_text,
                                        SqlData& io_target,
                                        int64_t in_offset,
                                        int64_t in_maxLength)
{
    if (in_offset < 0 || in_maxLength < NO_LIMIT)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (in_text.IsNull())
    {
        io_target.SetNull(true);
        return false;
    }
    io_target.SetNull(false);

    const EncodingType encoding = io_target.GetMetadata().GetEncoding();
    if (encoding == Support::ENC_UTF16_LE)
    {
        return OutputUtf16(in_text, io_target, in_offset, in_maxLength);
    }
    // An upper bound of the encoded length: every code unit as the longest character.
    const int64_t bound = in_text.GetLengthInBytes() / 2 * EncodingInfo::GetCodeUnitSize(encoding)
                        * EncodingInfo::GetMaxCodeUnitsPerChar(encoding);
    if (in_offset == 0 && (in_maxLength == NO_LIMIT || in_maxLength >= bound))
    {
        OutputWhole(in_text, io_target, encoding);
        return false;
    }
    return OutputStreamed(in_text, io_target, encoding, in_offset, in_maxLength, bound);
}

bool DSITypeUtilities::OutputWVarCharStringData(const orvik_wstring& in_text,
                                                SqlData& io_target,
                                                int64_t in_offset,
                                                int64_t in_maxLength)
{
    return OutputStringData(in_text, io_target, in_offset, in_maxLength);
}

} // namespace DSI
} // namespace Orvik
