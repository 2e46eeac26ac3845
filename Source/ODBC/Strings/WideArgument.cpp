#include "ODBC/Strings/WideArgument.h"

#include "ODBC/Strings/RunningPlatform.h"
#include "Support/EncodingInfo.h"
#include "Support/ErrorException.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/MalformedTextException.h"
#include "Support/Platform.h"
#include "Support/PlatformStringConverter.h"
#include "Support/TextValidator.h"

#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// Raises "WideInputStringMalformed" for the first bad code unit of the in_bytes bytes at in_text.
void RefuseMalformed(const void* in_text, int64_t in_bytes, EncodingType in_encoding, uint8_t in_unitSize)
{
    const uint64_t malformed = TextValidator::FindMalformed(in_text, static_cast<uint64_t>(in_bytes), in_encoding);
    if (malformed != TextValidator::VALID)
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"WideInputStringMalformed",
                             {MalformedTextException::PositionText(malformed / in_unitSize),
                              MalformedTextException::EncodingText(in_encoding)},
                             -1, -1);
    }
}

} // namespace

orvik_wstring WideArgument::Read(const SQLWCHAR* in_text, SQLINTEGER in_length)
{
    return Decode(in_text, in_length, false);
}

orvik_wstring WideArgument::ReadBytes(const void* in_text, SQLINTEGER in_length)
{
    return Decode(in_text, in_length, true);
}

orvik_wstring WideArgument::Decode(const void* in_text, SQLINTEGER in_length, bool in_lengthInBytes)
{
    // A null text, and a negative length other than SQL_NTS, are the decoder's to answer.
    if (in_text != nullptr && (in_length >= 0 || in_length == SQL_NTS))
    {
        const EncodingType encoding = orvik_wstring::GetDriverManagerEncoding();
        const uint8_t unitSize = EncodingInfo::GetCodeUnitSize(encoding);
        // Measured once: the decoder takes the measured length.
        if (in_length == SQL_NTS)
        {
            in_length = PlatformStringConverter::MeasureNulTerminated(in_text, encoding);
            in_lengthInBytes = true;
        }
        const int64_t bytes = in_lengthInBytes ? in_length : int64_t{in_length} * unitSize;
        // A text too long for the decoder is refused by it unread.
        if (bytes <= std::numeric_limits<int32_t>::max())
        {
            RefuseMalformed(in_text, bytes - bytes % unitSize, encoding, unitSize);
        }
    }
    orvik_wstring text;
    RunningPlatform::Get().GetEncodingConverter().FromUChars(in_text, in_length, in_lengthInBytes, text);
    return text;
}

} // namespace ODBC
} // namespace Orvik
