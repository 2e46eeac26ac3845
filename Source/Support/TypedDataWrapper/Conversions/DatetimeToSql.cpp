// Dates, times and timestamps among themselves.

#include "DatetimeToSql.h"

#include "KernelOutput.h"
#include "PowersOfTen.h"
#include "ToSqlSource.h"

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

constexpr int32_t NANOSECOND_DIGITS = 9;
constexpr int32_t NON_NEGATIVE = 1;

TDWDateValue ReadDate(const ToSqlSource& in_source)
{
    return KernelOutput::Load<TDWDateValue>(in_source.m_value);
}

/// A SQL-side time, or an application's time structure with fraction 0.
TDWTimeValue ReadTime(const ToSqlSource& in_source)
{
    const uint8_t* source = static_cast<const uint8_t*>(in_source.m_value);
    TDWTimeValue time;
    time.m_hour = KernelOutput::Load<uint16_t>(source + offsetof(TDWTimeValue, m_hour));
    time.m_minute = KernelOutput::Load<uint16_t>(source + offsetof(TDWTimeValue, m_minute));
    time.m_second = KernelOutput::Load<uint16_t>(source + offsetof(TDWTimeValue, m_second));
    if (!in_source.IsCSource())
    {
        time.m_fraction = KernelOutput::Load<uint32_t>(source + offsetof(TDWTimeValue, m_fraction));
    }
    return time;
}

TDWTimestampValue ReadTimestamp(const ToSqlSource& in_source)
{
    return KernelOutput::Load<TDWTimestampValue>(in_source.m_value);
}

TDWTimeValue TimeOf(const TDWTimestampValue& in_timestamp)
{
    TDWTimeValue time;
    time.m_hour = in_timestamp.m_hour;
    time.m_minute = in_timestamp.m_minute;
    time.m_second = in_timestamp.m_second;
    time.m_fraction = in_timestamp.m_fraction;
    return time;
}

bool HasTimePart(const TDWTimestampValue& in_timestamp)
{
    return in_timestamp.m_hour != 0 || in_timestamp.m_minute != 0 || in_timestamp.m_second != 0
        || in_timestamp.m_fraction != 0;
}

/// The unit of the last digit the target's seconds precision keeps, in nanoseconds.
uint64_t KeptUnit(const SqlData& in_target)
{
    return PowersOfTen::Of(std::max(NANOSECOND_DIGITS - in_target.GetMetadata().GetPrecision(), 0));
}

bool FractionFits(uint32_t in_fraction, const SqlData& in_target)
{
    return in_fraction % KeptUnit(in_target) == 0;
}

/// Cuts the fraction to the target's precision, posting FractionalTrunc 1 when that changed it.
void CutFraction(uint32_t& io_fraction, const SqlData& in_target, WarningListener& io_listener)
{
    const uint64_t unit = KeptUnit(in_target);
    if (io_fraction % unit != 0)
    {
        io_fraction = static_cast<uint32_t>(io_fraction - io_fraction % unit);
        io_listener.PostWarning(ConversionResult::FractionalTrunc(NON_NEGATIVE));
    }
}

void PostDatetimeFieldOverflow(WarningListener& io_listener)
{
    io_listener.PostWarning(ConversionResult::DatetimeFieldOverflow());
}

void StoreDate(SqlData& io_target, const TDWDateValue& in_date)
{
    std::memcpy(io_target.GetBuffer(), &in_date, sizeof(in_date));
    io_target.SetConvertedLength(sizeof(in_date));
}

/// Writes the time record whole, its unused bytes zero.
void StoreTime(SqlData& io_target, const TDWTimeValue& in_time)
{
    uint8_t* target = static_cast<uint8_t*>(io_target.GetBuffer());
    std::memset(target, 0, sizeof(TDWTimeValue));
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_hour), in_time.m_hour);
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_minute), in_time.m_minute);
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_second), in_time.m_second);
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_fraction), in_time.m_fraction);
    io_target.SetConvertedLength(sizeof(TDWTimeValue));
}

void StoreTimestamp(SqlData& io_target, const TDWTimestampValue& in_timestamp)
{
    std::memcpy(io_target.GetBuffer(), &in_timestamp, sizeof(in_timestamp));
    io_target.SetConvertedLength(sizeof(in_timestamp));
}

TDWTimestampValue TimestampOf(const TDWDateValue& in_date, const TDWTimeValue& in_time)
{
    TDWTimestampValue timestamp;
    timestamp.m_year = in_date.m_year;
    timestamp.m_month = in_date.m_month;
    timestamp.m_day = in_date.m_day;
    timestamp.m_hour = in_time.m_hour;
    timestamp.m_minute = in_time.m_minute;
    timestamp.m_second = in_time.m_second;
    timestamp.m_fraction = in_time.m_fraction;
    return timestamp;
}

/// The time of either source, checked or cut as its kind requires; false when an application's
/// time is refused.
bool TakeTime(const ToSqlSource& in_source,
              const SqlData& in_target,
              TDWTimeValue& out_time,
              WarningListener& io_listener)
{
    out_time = ReadTime(in_source);
    if (!in_source.IsCSource())
    {
        CutFraction(out_time.m_fraction, in_target, io_listener);
        return true;
    }
    if (!out_time.IsValid())
    {
        PostDatetimeFieldOverflow(io_listener);
        return false;
    }
    return true;
}

} // namespace

void DatetimeToSql::DateToDate(const ToSqlSource& in_source, SqlData& io_target, ToSqlKernelState&, WarningListener&)
{
    StoreDate(io_target, ReadDate(in_source));
}

void DatetimeToSql::DateToTimestamp(const ToSqlSource& in_source,
                                    SqlData& io_target,
                                    ToSqlKernelState&,
                                    WarningListener& io_listener)
{
    const TDWDateValue date = ReadDate(in_source);
    if (in_source.IsCSource() && !date.IsValid())
    {
        PostDatetimeFieldOverflow(io_listener);
        return;
    }
    StoreTimestamp(io_target, TimestampOf(date, TDWTimeValue()));
}

void DatetimeToSql::TimeToTime(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState&,
                               WarningListener& io_listener)
{
    TDWTimeValue time;
    if (TakeTime(in_source, io_target, time, io_listener))
    {
        StoreTime(io_target, time);
    }
}

void DatetimeToSql::TimeToTimestamp(const ToSqlSource& in_source,
                                    SqlData& io_target,
                                    ToSqlKernelState&,
                                    WarningListener& io_listener)
{
    TDWTimeValue time;
    if (TakeTime(in_source, io_target, time, io_listener))
    {
        StoreTimestamp(io_target, TimestampOf(TDWDateValue::Today(), time));
    }
}

void DatetimeToSql::TimestampToDate(const ToSqlSource& in_source,
                                    SqlData& io_target,
                                    ToSqlKernelState&,
                                    WarningListener& io_listener)
{
    const TDWTimestampValue timestamp = ReadTimestamp(in_source);
    if (in_source.IsCSource())
    {
        if (!timestamp.IsValid())
        {
            io_listener.PostWarning(*ConversionResult::MakeInvalidDatetimeValue());
            return;
        }
        if (HasTimePart(timestamp))
        {
            PostDatetimeFieldOverflow(io_listener);
            return;
        }
    }
    StoreDate(io_target, TDWDateValue{timestamp.m_year, timestamp.m_month, timestamp.m_day});
    if (!in_source.IsCSource() && HasTimePart(timestamp))
    {
        io_listener.PostWarning(ConversionResult::FractionalTrunc(NON_NEGATIVE));
    }
}

void DatetimeToSql::TimestampToTime(const ToSqlSource& in_source,
                                    SqlData& io_target,
                                    ToSqlKernelState&,
                                    WarningListener& io_listener)
{
    const TDWTimestampValue timestamp = ReadTimestamp(in_source);
    TDWTimeValue time = TimeOf(timestamp);
    if (!in_source.IsCSource())
    {
        CutFraction(time.m_fraction, io_target, io_listener);
    }
    else if (!timestamp.IsValid())
    {
        io_listener.PostWarning(*ConversionResult::MakeInvalidDatetimeValue());
        return;
    }
    else if (!FractionFits(time.m_fraction, io_target))
    {
        PostDatetimeFieldOverflow(io_listener);
        return;
    }
    StoreTime(io_target, time);
}

void DatetimeToSql::TimestampToTimestamp(const ToSqlSource& in_source,
                                         SqlData& io_target,
                                         ToSqlKernelState&,
                                         WarningListener& io_listener)
{
    TDWTimestampValue timestamp = ReadTimestamp(in_source);
    if (in_source.IsCSource())
    {
        StoreTimestamp(io_target, timestamp);
        if (!FractionFits(timestamp.m_fraction, io_target))
        {
            PostDatetimeFieldOverflow(io_listener);
        }
        return;
    }
    CutFraction(timestamp.m_fraction, io_target, io_listener);
    StoreTimestamp(io_target, timestamp);
}

} // namespace Support
} // namespace Orvik
