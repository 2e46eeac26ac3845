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
#include <memory>

// UTF-16LE text is copied as it lies in memory.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16LE is the host's byte order");

namespace Orvik {
namespace Support {

namespace {

std::string EncodeWith(IPlatformStringConverter& io_converter, const orvik_wstring& in_text, EncodingType in_encoding)
{
    std::string bytes(io_converter.GetRequiredBytes(in_text, in_encoding), '\0');
    bool truncated = false;
    io_converter.FromWString(in_text, &bytes[0], static_cast<int32_t>(bytes.size()), in_encoding, truncated);
    return bytes;
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
    IcuConverter converter(in_encoding);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t byteLength =
        ucnv_fromUChars(converter.Get(), nullptr, 0, in_text.GetBuffer(), length, &status);
    if (U_FAILURE(status) && status != U_BUFFER_OVERFLOW_ERROR)
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    std::string bytes(byteLength, '\0');
    converter.Reset();
    status = U_ZERO_ERROR;
    ucnv_fromUChars(converter.Get(), &bytes[0], byteLength, in_text.GetBuffer(), length, &status);
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    return bytes;
}

void PlatformBridge::Trace(const char* in_line)
{
    Platform::Trace(in_line);
}

} // namespace Support
} // namespace Orvik
