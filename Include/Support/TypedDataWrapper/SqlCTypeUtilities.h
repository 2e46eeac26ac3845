#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// Questions about ODBC C type codes. Stateless; the installed instance is a process-wide
/// singleton (TypedDataSingleton). A driver that defines C types of its own (codes of 16384 and
/// more) overrides the custom-type hooks.
class SqlCTypeUtilities
{
public:
    /// The first code of the driver-defined C types.
    static constexpr int16_t FIRST_CUSTOM_C_TYPE = 16384;

    SqlCTypeUtilities() = default;
    virtual ~SqlCTypeUtilities() = default;

    SqlCTypeUtilities(const SqlCTypeUtilities&) = delete;
    SqlCTypeUtilities& operator=(const SqlCTypeUtilities&) = delete;

    /// The installed instance, or a default instance while none is installed.
    static const SqlCTypeUtilities& Current();

    /// SQL_C_WCHAR, SQL_C_BINARY, SQL_C_CHAR.
    virtual bool IsCharacterOrBinaryType(int16_t in_cType) const;

    /// SQL_C_FLOAT, SQL_C_DOUBLE.
    virtual bool IsApproximateNumericType(int16_t in_cType) const;

    /// SQL_C_NUMERIC.
    virtual bool IsExactNumericType(int16_t in_cType) const;

    /// The two date codes of ODBC 3 and the time and timestamp codes; not SQL_C_DATE (9).
    virtual bool IsDatetimeType(int16_t in_cType) const;

    /// The signed, unsigned and plain tiny, small, long and big integers.
    virtual bool IsIntegerType(int16_t in_cType) const;

    /// The thirteen interval codes, 101 to 113.
    virtual bool IsIntervalType(int16_t in_cType) const;

    /// True for a driver-defined C type; this driver defines none.
    virtual bool IsCustomCType(int16_t in_cType) const;

    /// Second check on a driver-defined C type; this driver defines none.
    virtual bool CheckCustomCType(int16_t in_cType, int16_t in_second) const;

    /// The value passed on when a bound buffer of a driver-defined type is prepared: 4.
    virtual int32_t GetCustomCTypeValue(int16_t in_cType) const;

    /// SQL_C_TIME, SQL_C_TIMESTAMP and their ODBC 3 spellings.
    virtual bool IsTimeOrTimestampType(int16_t in_cType) const;

    /// The ODBC name of the code ("SQL_C_CHAR", "SQL_C_TINYINT", ...); any other code, among them
    /// SQL_C_GUID and SQL_C_DEFAULT, in decimal.
    virtual orvik_wstring GetCTypeName(int16_t in_cType) const;

    /// Whether SqlCTypeMetadata flags the code when it is constructed: false for the character,
    /// binary, integer, date and default codes, true for every other code.
    virtual bool IsCTypeFlagged(int16_t in_cType) const;
};

} // namespace Support
} // namespace Orvik
