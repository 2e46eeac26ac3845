#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {
struct TDWTimestampValue;
}
} // namespace Orvik

namespace Pelta {

/// The JSON texts the driver puts into statement requests: the statement text between the
/// quotes of "stmt", and one value per parameter marker. Every text written is valid JSON;
/// values that have no JSON form are refused with an error before anything is sent.
class PeltaJsonWriter
{
public:
    PeltaJsonWriter() = delete;

    /// The value of a NULL argument.
    static constexpr const char* NULL_VALUE = "null";

    /// Appends in_length UTF-8 bytes as the inside of a JSON string: backslash, slash and
    /// double quote get a backslash, each control character below U+0020 its JSON escape
    /// (\b \t \n \f \r, else \u00XX with upper-case hex); every other byte is kept.
    static void AppendEscaped(const char* in_bytes, size_t in_length, std::string& io_json);

    /// The statement text as it stands between the quotes of "stmt": white space removed at
    /// both ends, the rest escaped as a string argument, so that line ends and tabs inside
    /// string literals reach the server unchanged.
    static std::string EscapeStatementText(const std::string& in_utf8Text);

    /// The JSON text of one non-NULL argument whose SQL-side value of ODBC SQL type
    /// in_sqlType lies at in_data (in_length bytes; character data is UTF-8). Raises
    /// "PeltaUnsupportedParameterType" (the type code) for a type without JSON form,
    /// "PeltaInvalidParameterData" for a BIT byte other than 0 and 1 or missing data (none, or
    /// fewer bytes than a value of the type takes), and the
    /// refusals of DoubleToJson and TimestampToJson.
    static std::string
    ArgumentToJson(int16_t in_sqlType, bool in_isUnsigned, const void* in_data, size_t in_length);

    /// A JSON string holding in_length UTF-8 bytes.
    static std::string StringToJson(const char* in_bytes, size_t in_length);

    /// A REAL in the fewest digits that read back as the same float; NaN and the infinities
    /// raise "PeltaNonFiniteParameter" (22003) with their spelling.
    static std::string RealToJson(float in_value);

    /// A DOUBLE in the fewest digits that read back as the same double; refused like
    /// RealToJson.
    static std::string DoubleToJson(double in_value);

    /// The milliseconds since 1970-01-01 00:00:00 UTC; a timestamp with a field out of range
    /// raises "PeltaInvalidTimestampParameter" (22007) with the fields as text.
    static std::string TimestampToJson(const Orvik::Support::TDWTimestampValue& in_value);
};

} // namespace Pelta
