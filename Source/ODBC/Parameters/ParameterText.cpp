#include "ODBC/Parameters/ParameterText.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

#include <cstring>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

bool IsUtf8Lead(uint8_t in_byte)
{
    return (in_byte & 0xC0) != 0x80;
}

bool IsLowSurrogate(uint16_t in_unit)
{
    return in_unit >= 0xDC00 && in_unit <= 0xDFFF;
}

uint64_t CountUtf16(const uint8_t* in_bytes, uint64_t in_units, bool in_isBigEndian)
{
    uint64_t count = 0;
    for (uint64_t i = 0; i < in_units; ++i)
    {
        const uint8_t first = in_bytes[2 * i];
        const uint8_t second = in_bytes[2 * i + 1];
        const auto unit = static_cast<uint16_t>(in_isBigEndian ? (first << 8) | second : (second << 8) | first);
        count += IsLowSurrogate(unit) ? 0 : 1;
    }
    return count;
}

/// Text in a multi-byte encoding other than the Unicode forms, counted after decoding.
uint64_t CountDecoded(const void* in_text, uint64_t in_length, EncodingType in_encoding)
{
    const orvik_wstring text(in_text, static_cast<int32_t>(in_length), in_encoding);
    return CountUtf16(reinterpret_cast<const uint8_t*>(text.GetBuffer()), static_cast<uint64_t>(text.GetLength()), false);
}

} // namespace

EncodingType ParameterText::GetValueEncoding(int16_t in_cType, EncodingType in_parameterEncoding)
{
    switch (in_cType)
    {
    case SQL_C_WCHAR:
        return orvik_wstring::GetDriverManagerEncoding();
    case SQL_C_BINARY:
        return in_parameterEncoding;
    default:
        return orvik_wstring::GetAnsiEncoding();
    }
}

uint32_t ParameterText::GetMaxBytesPerCharacter(EncodingType in_encoding)
{
    return uint32_t{EncodingInfo::GetMaxCodeUnitsPerChar(in_encoding)} * EncodingInfo::GetCodeUnitSize(in_encoding);
}

uint64_t ParameterText::CountCharacters(const void* in_text, uint64_t in_length, EncodingType in_encoding)
{
    const auto* bytes = static_cast<const uint8_t*>(in_text);
    switch (in_encoding)
    {
    case ENC_UTF8:
    {
        uint64_t count = 0;
        for (uint64_t i = 0; i < in_length; ++i)
        {
            count += IsUtf8Lead(bytes[i]) ? 1 : 0;
        }
        return count;
    }
    case ENC_UTF16_LE:
    case ENC_UTF16_BE:
        return CountUtf16(bytes, in_length / 2, in_encoding == ENC_UTF16_BE);
    case ENC_UTF32_LE:
    case ENC_UTF32_BE:
        return in_length / 4;
    default:
        return GetMaxBytesPerCharacter(in_encoding) == 1 ? in_length : CountDecoded(in_text, in_length, in_encoding);
    }
}

SQLLEN ParameterText::MeasureTerminated(const void* in_data, int16_t in_cType)
{
    switch (in_cType)
    {
    case SQL_C_CHAR:
    case SQL_C_BINARY:
        return static_cast<SQLLEN>(std::strlen(static_cast<const char*>(in_data)));
    case SQL_C_WCHAR:
        return PlatformStringConverter::MeasureNulTerminated(in_data, orvik_wstring::GetDriverManagerEncoding());
    default:
        throw ODBCInternalException(u"DataConvError");
    }
}

MalformedTextException ParameterText::AtParameter(MalformedTextException in_error, uint64_t in_set, uint16_t in_parameter)
{
    in_error.SetRowNumber(static_cast<int64_t>(in_set));
    in_error.SetColumnNumber(in_parameter);
    return in_error;
}

} // namespace ODBC
} // namespace Orvik
