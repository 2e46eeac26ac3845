#include "PlatformBridge.h"

#include "Support/EncodingInfo.h"
#include "Support/ErrorException.h"
#include "Support/InvalidArgumentException.h"
#include "Support/orvik_wstring.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <cstring>
#include <memory>

// UTF-16LE text is copied as it lies in memory.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16LE is the host's byte order");

namespace Orvik {
namespace Support {

namespace {

struct ConverterCloser
{
    void operator()(UConverter* in_converter) const { ucnv_close(in_converter); }
};

using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

[[noreturn]] void RaiseTextError(const char16_t* in_messageKey)
{
    throw ErrorException(DIAG_GENERAL_ERROR, SUPPORT_COMPONENT_ID, in_messageKey, -1, -1);
}

ConverterPtr OpenConverter(EncodingType in_encoding)
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(EncodingInfo::GetEncodingName(in_encoding), &status));
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUCreateUConverterErr");
    }
    return converter;
}

bool IsZeroUnit(const char* in_unit, int32_t in_unitSize)
{
    for (int32_t i = 0; i < in_unitSize; ++i)
    {
        if (in_unit[i] != '\0')
        {
            return false;
        }
    }
    return true;
}

// Measures by whole code units, so that the zero bytes inside UTF-16 and UTF-32 characters do not
// end the text early.
int32_t MeasureNulTerminated(const char* in_bytes, EncodingType in_encoding)
{
    const int32_t unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
    int32_t length = 0;
    while (!IsZeroUnit(in_bytes + length, unitSize))
    {
        length += unitSize;
    }
    return length;
}

void CopyUtf16Le(const char* in_bytes, int32_t in_byteLength, orvik_wstring& io_target)
{
    // Whole code units only: an odd last byte is dropped, never written past the buffer.
    const int32_t byteLength = in_byteLength & ~1;
    orvik_wstring text;
    std::memcpy(text.GetWritableBuffer(byteLength), in_bytes, byteLength);
    text.ReleaseBuffer(byteLength);
    io_target.Swap(text);
}

} // namespace

void PlatformBridge::DecodeBytes(const void* in_bytes,
                                 int32_t in_byteLength,
                                 EncodingType in_encoding,
                                 orvik_wstring& io_target)
{
    if (in_bytes == nullptr)
    {
        io_target.Clear();
        return;
    }
    const char* bytes = static_cast<const char*>(in_bytes);
    const int32_t byteLength =
        in_byteLength == NUL_TERMINATED ? MeasureNulTerminated(bytes, in_encoding) : in_byteLength;
    if (byteLength < 0)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (in_encoding == ENC_UTF16_LE)
    {
        CopyUtf16Le(bytes, byteLength, io_target);
        return;
    }
    ConverterPtr converter = OpenConverter(in_encoding);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::UnicodeString> text(
        new icu::UnicodeString(bytes, byteLength, converter.get(), status));
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
    if (in_encoding == ENC_UTF16_LE)
    {
        return std::string(reinterpret_cast<const char*>(in_text.GetBuffer()), in_text.GetLengthInBytes());
    }
    ConverterPtr converter = OpenConverter(in_encoding);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t byteLength =
        ucnv_fromUChars(converter.get(), nullptr, 0, in_text.GetBuffer(), length, &status);
    if (U_FAILURE(status) && status != U_BUFFER_OVERFLOW_ERROR)
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    std::string bytes(byteLength, '\0');
    ucnv_reset(converter.get());
    status = U_ZERO_ERROR;
    ucnv_fromUChars(converter.get(), &bytes[0], byteLength, in_text.GetBuffer(), length, &status);
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    return bytes;
}

void PlatformBridge::Trace(const char* /* in_line */)
{
    // Standard error gets trace lines only when the platform service's trace switch is on, and
    // that switch comes with the service; until then there is nothing to write.
}

} // namespace Support
} // namespace Orvik
