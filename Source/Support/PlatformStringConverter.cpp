#include "Support/PlatformStringConverter.h"

#include "ConverterPool.h"
#include "Support/EncodingInfo.h"
#include "Support/InvalidArgumentException.h"
#include "Support/orvik_wstring.h"
#include "TextErrors.h"

#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

// UTF-16LE text is copied as it lies in memory.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16LE is the host's byte order");

namespace Orvik {
namespace Support {

namespace {

int32_t CheckedLength(int64_t in_length)
{
    if (in_length < 0 || in_length > std::numeric_limits<int32_t>::max())
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return static_cast<int32_t>(in_length);
}

bool IsZeroUnit(const uint8_t* in_unit, int32_t in_unitSize)
{
    return std::all_of(in_unit, in_unit + in_unitSize, [](uint8_t in_byte) { return in_byte == 0; });
}

// The byte of a code unit that holds an ASCII character: the last one in the big-endian forms.
int32_t AsciiByteIndex(EncodingType in_encoding)
{
    const bool isBigEndian = in_encoding == ENC_UTF16_BE || in_encoding == ENC_UTF32_BE;
    return isBigEndian ? EncodingInfo::GetCodeUnitSize(in_encoding) - 1 : 0;
}

bool HoldsOnlyItsAsciiByte(const uint8_t* in_unit, int32_t in_unitSize, int32_t in_asciiByte)
{
    for (int32_t i = 0; i < in_unitSize; ++i)
    {
        if (i != in_asciiByte && in_unit[i] != 0)
        {
            return false;
        }
    }
    return true;
}

} // namespace

void PlatformStringConverter::CopyUtf16Le(const void* in_bytes,
                                          int32_t in_byteLength,
                                          orvik_wstring& io_target)
{
    const int32_t byteLength = in_byteLength & ~1;
    // Built aside: the bytes may lie in the target's own text.
    orvik_wstring text;
    std::memcpy(text.GetWritableBuffer(byteLength), in_bytes, byteLength);
    text.ReleaseBuffer(byteLength);
    io_target.Swap(text);
}

PlatformStringConverter::PlatformStringConverter()
{
    m_pools.reserve(ENCODING_COUNT);
    for (EncodingType encoding = 0; encoding < ENCODING_COUNT; ++encoding)
    {
        m_pools.push_back(std::make_unique<ConverterPool>(encoding));
    }
}

PlatformStringConverter::~PlatformStringConverter() = default;

void PlatformStringConverter::BytesToWString(const void* in_bytes,
                                             int32_t in_byteLength,
                                             EncodingType in_encoding,
                                             orvik_wstring& io_target)
{
    if (in_bytes == nullptr)
    {
        io_target.Clear();
        return;
    }
    const int32_t byteLength = CheckedLength(
        in_byteLength == NUL_TERMINATED ? MeasureNulTerminated(in_bytes, in_encoding) : in_byteLength);
    // UTF-16LE is the driver's own form, copied in whole code units (an odd last byte is dropped),
    // and no bytes are the empty text in every encoding. ICU decodes the rest, a trailing part of
    // a code unit included, which it replaces as it does any malformed input.
    if (in_encoding == ENC_UTF16_LE || byteLength == 0)
    {
        CopyUtf16Le(in_bytes, byteLength, io_target);
        return;
    }
    ConverterPool::Lease converter(GetPool(in_encoding));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::UnicodeString> text(
        new icu::UnicodeString(static_cast<const char*>(in_bytes), byteLength, converter.Get(), status));
    if (U_FAILURE(status) || text->isBogus())
    {
        converter.Reset();
        RaiseTextError(u"ICUConvErr");
    }
    io_target.Attach(text.release());
}

int32_t PlatformStringConverter::GetRequiredBytes(const char16_t* in_units,
                                                  int32_t in_count,
                                                  EncodingType in_encoding)
{
    if (in_units == nullptr)
    {
        return 0;
    }
    if (in_encoding == ENC_UTF16_LE)
    {
        return CheckedLength(int64_t{2} * CheckedLength(in_count));
    }
    ConverterPool::Lease converter(GetPool(in_encoding));
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(converter.Get(), nullptr, 0, in_units, CheckedLength(in_count), &status);
    // Measuring without a target ends in an overflow: that is the normal outcome.
    if (status != U_ZERO_ERROR)
    {
        converter.Reset();
    }
    if (U_FAILURE(status) && status != U_BUFFER_OVERFLOW_ERROR)
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    return length;
}

int32_t PlatformStringConverter::GetRequiredBytes(const orvik_wstring& in_text, EncodingType in_encoding)
{
    return GetRequiredBytes(in_text.GetBuffer(), in_text.GetLength(), in_encoding);
}

int32_t PlatformStringConverter::FromUChars(const char16_t* in_units,
                                            int32_t in_count,
                                            void* out_target,
                                            int32_t in_targetLength,
                                            EncodingType in_encoding,
                                            bool& out_truncated)
{
    out_truncated = false;
    if (in_units == nullptr)
    {
        return 0;
    }
    if (in_targetLength < 0 || (out_target == nullptr && in_targetLength != 0))
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (in_encoding == ENC_UTF16_LE)
    {
        const int32_t length = CheckedLength(int64_t{2} * CheckedLength(in_count));
        const int32_t copied = std::min(in_targetLength, length) & ~1;
        std::copy_n(reinterpret_cast<const uint8_t*>(in_units), copied, static_cast<uint8_t*>(out_target));
        out_truncated = copied < length;
        return length;
    }
    ConverterPool::Lease converter(GetPool(in_encoding));
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_fromUChars(converter.Get(), static_cast<char*>(out_target), in_targetLength,
                                           in_units, CheckedLength(in_count), &status);
    if (status != U_ZERO_ERROR)
    {
        converter.Reset();
    }
    out_truncated = status == U_BUFFER_OVERFLOW_ERROR;
    // Not terminated: the text filled the target exactly.
    if (U_FAILURE(status) && !out_truncated)
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    return length;
}

int32_t PlatformStringConverter::FromWString(const orvik_wstring& in_text,
                                             void* out_target,
                                             int32_t in_targetLength,
                                             EncodingType in_encoding,
                                             bool& out_truncated)
{
    return FromUChars(in_text.GetBuffer(), in_text.GetLength(), out_target, in_targetLength, in_encoding,
                      out_truncated);
}

int32_t PlatformStringConverter::GetNtsByteLength(const void* in_text, EncodingType in_encoding)
{
    return MeasureNulTerminated(in_text, in_encoding);
}

bool PlatformStringConverter::WidenAscii(const char* in_text,
                                         int32_t in_length,
                                         void* out_target,
                                         int32_t in_targetLength,
                                         EncodingType in_encoding,
                                         bool in_addTerminator)
{
    return WriteAsciiAs(in_text, in_length, out_target, in_targetLength, in_encoding, in_addTerminator);
}

bool PlatformStringConverter::WriteAsciiAs(const char* in_text,
                                           int64_t in_length,
                                           void* out_target,
                                           int64_t in_targetLength,
                                           EncodingType in_encoding,
                                           bool in_addTerminator)
{
    if (in_length < 0)
    {
        return true;
    }
    const int32_t unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
    const int64_t needed = (in_length + (in_addTerminator ? 1 : 0)) * unitSize;
    if (needed > in_targetLength)
    {
        return false;
    }
    uint8_t* target = static_cast<uint8_t*>(out_target);
    std::fill_n(target, needed, 0);
    const int32_t asciiByte = AsciiByteIndex(in_encoding);
    for (int64_t i = 0; i < in_length; ++i)
    {
        target[i * unitSize + asciiByte] = static_cast<uint8_t>(in_text[i]);
    }
    return true;
}

bool PlatformStringConverter::NarrowToAscii(const void* in_bytes,
                                            int32_t in_byteLength,
                                            EncodingType in_encoding,
                                            char* out_target,
                                            int32_t in_targetLength)
{
    return ReadAsciiFrom(in_bytes, in_byteLength, in_encoding, out_target, in_targetLength);
}

bool PlatformStringConverter::ReadAsciiFrom(const void* in_bytes,
                                            int64_t in_byteLength,
                                            EncodingType in_encoding,
                                            char* out_target,
                                            int64_t in_targetLength)
{
    if (in_byteLength < 0)
    {
        return true;
    }
    const int32_t unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
    const int64_t count = in_byteLength / unitSize;
    if (in_targetLength < count + 1)
    {
        return false;
    }
    const uint8_t* unit = static_cast<const uint8_t*>(in_bytes);
    const int32_t asciiByte = AsciiByteIndex(in_encoding);
    bool isExact = true;
    for (int64_t i = 0; i < count; ++i, unit += unitSize)
    {
        out_target[i] = static_cast<char>(unit[asciiByte]);
        isExact = isExact && HoldsOnlyItsAsciiByte(unit, unitSize, asciiByte);
    }
    out_target[count] = '\0';
    return isExact;
}

int32_t PlatformStringConverter::MeasureNulTerminated(const void* in_text, EncodingType in_encoding)
{
    if (in_text == nullptr)
    {
        return 0;
    }
    const uint8_t* text = static_cast<const uint8_t*>(in_text);
    const int32_t unitSize = EncodingInfo::GetCodeUnitSize(in_encoding);
    int32_t length = 0;
    while (!IsZeroUnit(text + length, unitSize))
    {
        length += unitSize;
    }
    return length;
}

ConverterPool& PlatformStringConverter::GetPool(EncodingType in_encoding)
{
    if (in_encoding < 0 || in_encoding >= ENCODING_COUNT)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return *m_pools[in_encoding];
}

} // namespace Support
} // namespace Orvik
