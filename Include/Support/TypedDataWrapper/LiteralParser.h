#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace Support {

class TDWNumeric;
class WarningListener;
struct TDWTimestampValue;

/// Reads character values as dates, times, timestamps, numbers, bits and GUIDs for both
/// directions of conversion: the SQL-to-C kernels of character sources and the converters of
/// application text to SQL values. Blanks (spaces) around the text are ignored, and the ODBC
/// escapes "{d '...'}", "{t '...'}", "{ts '...'}" and "{guid '...'}" are accepted where they
/// fit. Problems are posted to the listener, never thrown. in_toSql is set by the converters of
/// application text; it changes only which result some problems post.
class LiteralParser
{
public:
    /// [-]YYYY-MM-DD, or a timestamp whose time is midnight (another time is cut, posting
    /// "FractionalTrunc", or "DatetimeFieldOverflow" with in_toSql).
    static void ConvertCharToDate(
        const char* in_text,
        size_t in_length,
        bool in_toSql,
        int16_t& out_year,
        uint16_t& out_month,
        uint16_t& out_day,
        WarningListener& in_listener);

    /// HH:MM:SS[.F], or a timestamp; fraction digits beyond in_precision are cut (posting
    /// "FractionalTrunc"), or refused with "DatetimeFieldOverflow" when in_toSql is set.
    static void ConvertCharToTime(
        const char* in_text,
        size_t in_length,
        bool in_toSql,
        int16_t in_precision,
        uint16_t& out_hour,
        uint16_t& out_minute,
        uint16_t& out_second,
        uint32_t& out_fraction,
        WarningListener& in_listener);

    /// A date, a date and a time, or a time on today's date; the fraction as for a time.
    static void ConvertCharToTimestamp(
        const char* in_text,
        size_t in_length,
        bool in_toSql,
        int16_t in_precision,
        TDWTimestampValue& out_timestamp,
        WarningListener& in_listener);

    /// An exact number; trailing NULs are ignored as well. out_digitCount receives the digits
    /// before the first character that is none of digit, sign and point. Returns false, having
    /// posted the reason, when the text is no number.
    static bool ConvertCharToNumeric(
        const char* in_text,
        size_t in_length,
        TDWNumeric& out_value,
        int16_t& out_digitCount,
        WarningListener& in_listener);

    /// An integer of the target's width from a number's text: blanks around it are ignored, a
    /// fraction is cut toward zero (posting "FractionalTrunc", or "StrRightTruncErr" with
    /// in_toSql) and a value beyond the type's range posts "NumericValOutOfRange" (1 below, 0
    /// above); "INFINITY", "-INFINITY" and "NaN" post it with directions 0, 1 and 2. The
    /// converted value is stored whenever the text is a number, also out of range, where it
    /// means nothing.
    static void ConvertCharToSTinyInt(
        const char* in_text, size_t in_length, bool in_toSql, int8_t& out_value, WarningListener& in_listener);
    static void ConvertCharToUTinyInt(
        const char* in_text, size_t in_length, bool in_toSql, uint8_t& out_value, WarningListener& in_listener);
    static void ConvertCharToSShort(
        const char* in_text, size_t in_length, bool in_toSql, int16_t& out_value, WarningListener& in_listener);
    static void ConvertCharToUShort(
        const char* in_text, size_t in_length, bool in_toSql, uint16_t& out_value, WarningListener& in_listener);
    static void ConvertCharToSLong(
        const char* in_text, size_t in_length, bool in_toSql, int32_t& out_value, WarningListener& in_listener);
    static void ConvertCharToULong(
        const char* in_text, size_t in_length, bool in_toSql, uint32_t& out_value, WarningListener& in_listener);
    static void ConvertCharToSBigInt(
        const char* in_text, size_t in_length, bool in_toSql, int64_t& out_value, WarningListener& in_listener);
    static void ConvertCharToUBigInt(
        const char* in_text, size_t in_length, bool in_toSql, uint64_t& out_value, WarningListener& in_listener);

    /// A double, or a float when in_isDouble is clear, into out_target (null: only checks).
    /// "INFINITY", "-INFINITY" and "NaN" give those values; magnitudes below the smallest
    /// normal number give 0; a value beyond the type's range posts "NumericValOutOfRange".
    static void ConvertCharToDouble(
        const char* in_text,
        size_t in_length,
        void* out_target,
        bool in_isDouble,
        WarningListener& in_listener);

    /// 0 or 1; a number between them or between 1 and 2 is truncated with "FractionalTrunc".
    /// A null target is not written.
    static void ConvertCharToBit(
        const char* in_text,
        size_t in_length,
        uint8_t* out_target,
        WarningListener& in_listener);

    /// A GUID into a 16-byte ODBC SQLGUID (null: not written); io_targetLength becomes 16
    /// once the text reaches the GUID parse.
    static void ConvertCharToGuid(
        const char* in_text,
        size_t in_length,
        void* out_target,
        int64_t& io_targetLength,
        WarningListener& in_listener);
};

} // namespace Support
} // namespace Orvik
