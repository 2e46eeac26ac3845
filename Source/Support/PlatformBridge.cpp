#include "PlatformBridge.h"

#include "Support/EncodingInfo.h"
#include "Support/IcuConverter.h"
#include "Support/InvalidArgumentException.h"
#include "Support/Platform.h"
#include "Support/PlatformStringConverter.h"
#include "Support/orvik_wstring.h"
#include "TextErrors.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstring>
#include <functional>
#include <memory>

// UTF-16LE text is copied as it lies in memory.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16LE is the host's byte order");

namespace Orvik {
namespace Support {

namespace {

// Writes at most the given room, sets the flag when the text needed more, and returns the bytes
// written or, when truncated, the bytes the whole text takes.
using Encoder = std::function<int32_t(char* out_bytes, int32_t in_room, bool& out_truncated)>;

// The result is sized by what the converting pass wrote: ICU's measuring pass can count a
// longer substitute than the one it then writes, such as for a lone surrogate in GB2312.
std::string EncodeWhole(const Encoder& in_encode)
{
    std::string bytes;
    bool truncated = true;
    while (truncated)
    {
        bytes.resize(static_cast<size_t>(in_encode(&bytes[0], static_cast<int32_t>(bytes.size()), truncated)));
    }
    return bytes;
}

std::string EncodeWith(IPlatformStringConverter& io_converter, const orvik_wstring& in_text, EncodingType in_encoding)
{
    return EncodeWhole([&](char* out_bytes, int32_t in_room, bool& out_truncated) {
        return io_converter.FromWString(in_text, out_bytes, in_room, in_encoding, out_truncated);
    });
}

std::string EncodeWithIcu(const orvik_wstring& in_text, EncodingType in_encoding)
{
    IcuConverter converter(in_encoding);
    return EncodeWhole([&](char* out_bytes, int32_t in_room, bool& out_truncated) {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t length =
            ucnv_fromUChars(converter.Get(), out_bytes, in_room, in_text.GetBuffer(), in_text.GetLength(), &status);
        // Not terminated: the text filled the room exactly.
        out_truncated = status == U_BUFFER_OVERFLOW_ERROR;
        if (U_FAILURE(status) && !out_truncated)
        {
            RaiseTextError(u"ICUConvErrNotRecog");
        }
        return length;
    });
}

} // namespace

void PlatformBridge::DecodeBytes(const void* in_bytes,
                                 int32_t in_byteLength,
                                 EncodingType in_encoding,
                                 orvik_wstring& io_target)
{
    if (Platform* platform = Platform::GetPlatform())
    {
        platform->GetStringConverter().BytesToWString(in_bytes, in_byteLength, in_encoding, io_target);
        return;
    }
    if (in_bytes == nullptr)
    {
        io_target.Clear();
        return;
    }
    const char* bytes = static_cast<const char*>(in_bytes);
    const int32_t byteLength = in_byteLength == NUL_TERMINATED
                                   ? PlatformStringConverter::MeasureNulTerminated(bytes, in_encoding)
                                   : in_byteLength;
    if (byteLength < 0)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (in_encoding == ENC_UTF16_LE)
    {
        PlatformStringConverter::CopyUtf16Le(bytes, byteLength, io_target);
        return;
    }
    const IcuConverter converter(in_encoding);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::UnicodeString> text(
        new icu::UnicodeString(bytes, byteLength, converter.Get(), status));
    if (U_FAILURE(status) || text->isBogus())
    {
        RaiseTextError(u"ICUConvErr");
    }
    io_target.Attach(text.release());
}

std::string PlatformBridge::EncodeString(const orvik_wstring& in_text, EncodingType in_encoding)
{
    const int32_t length = in_text.GetLength();
    if (length == 0)
    {
        return std::string();
    }
    if (Platform* platform = Platform::GetPlatform())
    {
        return EncodeWith(platform->GetStringConverter(), in_text, in_encoding);
    }
    if (in_encoding == ENC_UTF16_LE)
    {
        return std::string(reinterpret_cast<const char*>(in_text.GetBuffer()), in_text.GetLengthInBytes());
    }
    return EncodeWithIcu(in_text, in_encoding);
}

void PlatformBridge::Trace(const char* in_line)
{
    Platform::Trace(in_line);
}

} // namespace Support
} // namespace Orvik
