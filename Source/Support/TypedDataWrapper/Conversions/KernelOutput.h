#pragma once

#include "Support/EncodingType.h"

#include <cstdint>
#include <cstring>

namespace Orvik {
namespace Support {

class TDWNumeric;
class WarningListener;

/// What the conversion kernels share to write their targets and post their results. None of it
/// allocates or locks.
class KernelOutput
{
public:
    KernelOutput() = delete;

    // The directions of NumericValOutOfRange and IntervalFieldOverflow.

    /// The value lies above the target's range.
    static constexpr int32_t ABOVE = 0;
    /// The value lies below the target's range, or is negative for an unsigned target.
    static constexpr int32_t BELOW = 1;
    /// The target buffer is too small for the value (or the value has no direction, as a NaN).
    static constexpr int32_t NO_ROOM = 2;

    /// The interval type codes of the application's interval structure.
    enum IntervalCode : int32_t
    {
        INTERVAL_YEAR = 1,
        INTERVAL_MONTH = 2,
        INTERVAL_DAY = 3,
        INTERVAL_HOUR = 4,
        INTERVAL_MINUTE = 5,
        INTERVAL_SECOND = 6,
        INTERVAL_YEAR_TO_MONTH = 7,
        INTERVAL_DAY_TO_HOUR = 8,
        INTERVAL_DAY_TO_MINUTE = 9,
        INTERVAL_DAY_TO_SECOND = 10,
        INTERVAL_HOUR_TO_MINUTE = 11,
        INTERVAL_HOUR_TO_SECOND = 12,
        INTERVAL_MINUTE_TO_SECOND = 13
    };

    /// The size of the application's interval structure (SQL_INTERVAL_STRUCT).
    static constexpr int64_t INTERVAL_STRUCT_SIZE = 28;

    /// The sizes of the application's date, time and timestamp structures (DATE_STRUCT,
    /// TIME_STRUCT, TIMESTAMP_STRUCT).
    static constexpr int64_t DATE_STRUCT_SIZE = 6;
    static constexpr int64_t TIME_STRUCT_SIZE = 6;
    static constexpr int64_t TIMESTAMP_STRUCT_SIZE = 16;

    /// The application's time structure.
    struct TimeStruct
    {
        uint16_t m_hour;
        uint16_t m_minute;
        uint16_t m_second;
    };

    /// The size of the application's numeric structure (SQL_NUMERIC_STRUCT).
    static constexpr int64_t NUMERIC_STRUCT_SIZE = 19;

    /// The application's numeric structure: precision, scale, sign (1 positive), 16 magnitude
    /// bytes, least significant first.
    struct NumericStruct
    {
        uint8_t m_precision;
        int8_t m_scale;
        uint8_t m_sign;
        uint8_t m_magnitude[16];
    };

    /// Stores in_value at out_target, which need not be aligned; a null target is not written.
    template <typename T>
    static void Store(void* out_target, T in_value)
    {
        if (out_target != nullptr)
        {
            std::memcpy(out_target, &in_value, sizeof(T));
        }
    }

    /// Reads a value of type T at in_source, which need not be aligned.
    template <typename T>
    static T Load(const void* in_source)
    {
        T value;
        std::memcpy(&value, in_source, sizeof(T));
        return value;
    }

    /// The size of a buffer given as a signed length by callers that may pass a negated one: its
    /// absolute value, the most negative value counting as 0.
    static int64_t AbsoluteSize(int64_t in_length);

    static void PostOutOfRange(WarningListener& io_listener, int32_t in_direction);
    static void PostIntervalFieldOverflow(WarningListener& io_listener, int32_t in_direction);

    /// FractionalTrunc with the direction of the kernels: 1 for a value of zero or more, 0 for a
    /// negative one.
    static void PostFractionalTrunc(WarningListener& io_listener, bool in_isNegative);

    static void PostStrRightTrunc(WarningListener& io_listener);

    /// Writes the interval structure of a YEAR, MONTH or YEAR TO MONTH interval; the fields that
    /// the type does not use are zero. A null target is not written.
    static void WriteYearMonthInterval(void* out_target,
                                       IntervalCode in_code,
                                       bool in_isNegative,
                                       uint32_t in_year,
                                       uint32_t in_month);

    /// Writes the interval structure of the day-to-second kinds; the fields that the type does
    /// not use are zero. A null target is not written.
    static void WriteDaySecondInterval(void* out_target,
                                       IntervalCode in_code,
                                       bool in_isNegative,
                                       uint32_t in_day,
                                       uint32_t in_hour,
                                       uint32_t in_minute,
                                       uint32_t in_second,
                                       uint32_t in_fraction);

    /// Writes a single-field interval (codes 1 to 6): in_value goes into the field of the type,
    /// in_fraction into the fraction for SECOND. A null target is not written.
    static void WriteSingleFieldInterval(void* out_target,
                                         IntervalCode in_code,
                                         bool in_isNegative,
                                         uint32_t in_value,
                                         uint32_t in_fraction);

    /// Writes an exact value into the application's numeric structure with precision
    /// in_precision and scale in_scale (into a scratch structure for a null target), posting what
    /// goes wrong. in_sourceDigits is the value's digit count as its source knows it.
    /// - The precision, scale and sign bytes are set and the magnitude zeroed first.
    /// - Fraction digits beyond the scale are dropped toward zero (FractionalTrunc 1 when one was
    ///   not zero); a larger scale scales the value up.
    /// - A magnitude beyond 128 bits, or more digits than the precision allows (the precision is
    ///   smaller than both the source's count and the scaled value's), posts NumericValOutOfRange
    ///   (1 for a negative value, else 0) and leaves the magnitude zero.
    static void WriteSqlNumeric(const TDWNumeric& in_value,
                                int32_t in_sourceDigits,
                                void* out_target,
                                int16_t in_precision,
                                int16_t in_scale,
                                WarningListener& io_listener);

    /// Writes in_length ASCII characters and a NUL into out_target, one byte each, when they fit
    /// in in_size bytes; otherwise writes nothing and returns false.
    static bool WriteNarrowText(const char* in_text, int64_t in_length, void* out_target, int64_t in_size);

    /// Writes in_length ASCII characters and one zero code unit as code units of in_encoding when
    /// they fit in in_size bytes; otherwise writes nothing and returns false.
    static bool WriteWideText(const char* in_text,
                              int64_t in_length,
                              void* out_target,
                              int64_t in_size,
                              EncodingType in_encoding);
};

} // namespace Support
} // namespace Orvik
