#pragma once

#include "Support/EncodingType.h"
#include "Support/MalformedTextException.h"

#include <sql.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// What the parameter code needs to know about text: the room a number of characters takes in an
/// encoding, how many characters some encoded bytes hold, and where a terminated application
/// value ends. A character parameter's declared size counts characters, whatever bytes they
/// take in the database's encoding.
class ParameterText
{
public:
    ParameterText() = delete;

    /// The encoding of the text that a value of C type in_cType (SQL_C_CHAR, SQL_C_WCHAR or
    /// SQL_C_BINARY) holds for a character parameter in in_parameterEncoding: the application's
    /// ANSI encoding, the driver manager's wide one, or for bytes the parameter's own, as they are
    /// the text itself.
    static Support::EncodingType GetValueEncoding(int16_t in_cType, Support::EncodingType in_parameterEncoding);

    /// The most bytes one character takes in in_encoding.
    static uint32_t GetMaxBytesPerCharacter(Support::EncodingType in_encoding);

    /// The number of characters in the in_length bytes at in_text, encoded in in_encoding. Bytes
    /// of a character cut at either end count as they do in whole text (the lead of a character
    /// counts, its continuation does not), so pieces of one text add up to the text's count.
    static uint64_t CountCharacters(const void* in_text, uint64_t in_length, Support::EncodingType in_encoding);

    /// The byte length of the terminated application value at in_data of C type in_cType:
    /// SQL_C_CHAR and SQL_C_BINARY end at the first zero byte, SQL_C_WCHAR at the first zero code
    /// unit of the driver manager's encoding. Any other C type throws ODBCInternalException
    /// "DataConvError".
    static SQLLEN MeasureTerminated(const void* in_data, int16_t in_cType);

    /// in_error, a value's text refused as malformed, placed at parameter in_parameter of set
    /// in_set (the diagnostic's column and row), to be thrown.
    static Support::MalformedTextException AtParameter(Support::MalformedTextException in_error,
                                                       uint64_t in_set,
                                                       uint16_t in_parameter);
};

} // namespace ODBC
} // namespace Orvik
