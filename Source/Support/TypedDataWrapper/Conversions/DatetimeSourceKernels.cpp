// Kernels of DATE, TIME, TIMESTAMP and GUID sources into text and into the application's date,
// time, timestamp and GUID structures. Text shows as many fraction digits as the source's
// fractional precision; the structures cut the fraction to the target's precision.

#include "DatetimeText.h"
#include "KernelOutput.h"
#include "KernelTextTarget.h"
#include "SqlToCKernelCells.h"

#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

using TimeStruct = KernelOutput::TimeStruct;

constexpr int64_t GUID_STRUCT_SIZE = 16;
constexpr int64_t GUID_TEXT_LENGTH = static_cast<int64_t>(TDWGuidValue::TEXT_LENGTH);

constexpr int32_t NANOSECOND_DIGITS = 9;
constexpr uint32_t POWERS_OF_TEN[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

static_assert(sizeof(TDWDateValue) == KernelOutput::DATE_STRUCT_SIZE, "DATE_STRUCT layout");
static_assert(sizeof(TDWTimestampValue) == KernelOutput::TIMESTAMP_STRUCT_SIZE, "TIMESTAMP_STRUCT layout");

/// The nanosecond fraction cut to in_precision digits; a dropped digit that is not zero posts
/// FractionalTrunc, also for a length query.
uint32_t CutFraction(uint32_t in_fraction, int16_t in_precision, WarningListener& io_listener)
{
    const int32_t precision = std::clamp<int32_t>(in_precision, 0, NANOSECOND_DIGITS);
    const uint32_t dropped = in_fraction % POWERS_OF_TEN[NANOSECOND_DIGITS - precision];
    if (dropped != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, false);
    }
    return in_fraction - dropped;
}

/// Writes the text: nothing for a length query, the characters Fit allows into the buffer,
/// NumericValOutOfRange (2) when not even the part through the seconds fits, and StrRightTrunc
/// when a fraction digit that is not zero was left out for lack of room. With in_mayCut clear
/// the whole text must fit.
void WriteText(const DatetimeText& in_text, bool in_mayCut, KernelTextTarget io_target, WarningListener& io_listener)
{
    if (!io_target.Report(in_text.Length()))
    {
        return;
    }
    const int64_t room = io_target.Room();
    const int64_t count = in_mayCut ? in_text.Fit(room) : (room >= in_text.Length() ? in_text.Length() : -1);
    if (io_target.Write(in_text.Data(), count, io_listener) && in_text.DropsDigits(count))
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
}

/// A value whose year or another field has more digits than its text allows cannot be written
/// as text; it is no valid date either.
bool PostUnwritable(bool in_isWritable, WarningListener& io_listener)
{
    if (!in_isWritable)
    {
        io_listener.PostWarning(ConversionResult::DatetimeFieldOverflow());
    }
    return !in_isWritable;
}

/// The date's text; an invalid date is reported and still written when its fields fit.
bool DateText(const void* in_source, DatetimeText& out_text, WarningListener& io_listener)
{
    const TDWDateValue date = KernelOutput::Load<TDWDateValue>(in_source);
    const bool isWritable = out_text.SetDate(date.m_year, date.m_month, date.m_day);
    if (!date.IsValid())
    {
        io_listener.PostWarning(ConversionResult::DatetimeFieldOverflow());
        return isWritable;
    }
    return !PostUnwritable(isWritable, io_listener);
}

bool TimeText(const SqlToCKernelState& in_state, const void* in_source, DatetimeText& out_text, WarningListener& io_listener)
{
    const TDWTimeValue time = KernelOutput::Load<TDWTimeValue>(in_source);
    return !PostUnwritable(out_text.SetTime(time.m_hour, time.m_minute, time.m_second, time.m_fraction,
                                            in_state.m_sourceFractionalPrecision,
                                            ConversionSettings::ShowZeroTimeFraction),
                           io_listener);
}

bool TimestampText(const SqlToCKernelState& in_state,
                   const void* in_source,
                   DatetimeText& out_text,
                   WarningListener& io_listener)
{
    const TDWTimestampValue timestamp = KernelOutput::Load<TDWTimestampValue>(in_source);
    return !PostUnwritable(out_text.SetTimestamp(timestamp, in_state.m_sourceFractionalPrecision,
                                                 ConversionSettings::ShowZeroTimestampFraction),
                           io_listener);
}

TDWTimestampValue TimestampOf(const TDWDateValue& in_date, const TimeStruct& in_time, uint32_t in_fraction)
{
    TDWTimestampValue timestamp;
    timestamp.m_year = in_date.m_year;
    timestamp.m_month = in_date.m_month;
    timestamp.m_day = in_date.m_day;
    timestamp.m_hour = in_time.m_hour;
    timestamp.m_minute = in_time.m_minute;
    timestamp.m_second = in_time.m_second;
    timestamp.m_fraction = in_fraction;
    return timestamp;
}

} // namespace

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_DATE, TDW_C_CHAR)
{
    DatetimeText text;
    if (DateText(in_sourceData, text, io_listener))
    {
        WriteText(text, true, KernelTextTarget::Narrow(out_target, io_targetLength), io_listener);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_DATE, TDW_C_WCHAR)
{
    DatetimeText text;
    if (DateText(in_sourceData, text, io_listener))
    {
        WriteText(text, false, KernelTextTarget::Wide(out_target, io_targetLength, io_state.m_targetEncoding),
                  io_listener);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_DATE, TDW_C_TYPE_DATE)
{
    io_targetLength = KernelOutput::DATE_STRUCT_SIZE;
    KernelOutput::Store(out_target, KernelOutput::Load<TDWDateValue>(in_sourceData));
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_DATE, TDW_C_TYPE_TIMESTAMP)
{
    io_targetLength = KernelOutput::TIMESTAMP_STRUCT_SIZE;
    KernelOutput::Store(out_target, TimestampOf(KernelOutput::Load<TDWDateValue>(in_sourceData), TimeStruct{}, 0));
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIME, TDW_C_CHAR)
{
    DatetimeText text;
    if (TimeText(io_state, in_sourceData, text, io_listener))
    {
        WriteText(text, true, KernelTextTarget::Narrow(out_target, io_targetLength), io_listener);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIME, TDW_C_WCHAR)
{
    DatetimeText text;
    if (TimeText(io_state, in_sourceData, text, io_listener))
    {
        WriteText(text, true, KernelTextTarget::Wide(out_target, io_targetLength, io_state.m_targetEncoding),
                  io_listener);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIME, TDW_C_TYPE_TIME)
{
    io_targetLength = KernelOutput::TIME_STRUCT_SIZE;
    const TDWTimeValue time = KernelOutput::Load<TDWTimeValue>(in_sourceData);
    if (time.m_fraction != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, false);
    }
    KernelOutput::Store(out_target, TimeStruct{time.m_hour, time.m_minute, time.m_second});
}

/// The date is today's in the process's local time, read from the injectable clock.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIME, TDW_C_TYPE_TIMESTAMP)
{
    io_targetLength = KernelOutput::TIMESTAMP_STRUCT_SIZE;
    const TDWTimeValue time = KernelOutput::Load<TDWTimeValue>(in_sourceData);
    const uint32_t fraction = CutFraction(time.m_fraction, io_state.m_targetFractionalPrecision, io_listener);
    if (out_target != nullptr)
    {
        const TimeStruct timeOfDay{time.m_hour, time.m_minute, time.m_second};
        KernelOutput::Store(out_target, TimestampOf(TDWDateValue::Today(), timeOfDay, fraction));
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_CHAR)
{
    DatetimeText text;
    if (TimestampText(io_state, in_sourceData, text, io_listener))
    {
        WriteText(text, true, KernelTextTarget::Narrow(out_target, io_targetLength), io_listener);
    }
}

/// A wide buffer either takes the whole text or nothing; only a one-byte encoding is cut as
/// narrow text is.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_WCHAR)
{
    DatetimeText text;
    if (TimestampText(io_state, in_sourceData, text, io_listener))
    {
        const bool mayCut = EncodingInfo::GetCodeUnitSize(io_state.m_targetEncoding) == 1;
        WriteText(text, mayCut, KernelTextTarget::Wide(out_target, io_targetLength, io_state.m_targetEncoding),
                  io_listener);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_DATE)
{
    io_targetLength = KernelOutput::DATE_STRUCT_SIZE;
    const TDWTimestampValue timestamp = KernelOutput::Load<TDWTimestampValue>(in_sourceData);
    if (timestamp.m_hour != 0 || timestamp.m_minute != 0 || timestamp.m_second != 0 || timestamp.m_fraction != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, false);
    }
    KernelOutput::Store(out_target, TDWDateValue{timestamp.m_year, timestamp.m_month, timestamp.m_day});
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIME)
{
    io_targetLength = KernelOutput::TIME_STRUCT_SIZE;
    const TDWTimestampValue timestamp = KernelOutput::Load<TDWTimestampValue>(in_sourceData);
    if (timestamp.m_fraction != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, false);
    }
    KernelOutput::Store(out_target, TimeStruct{timestamp.m_hour, timestamp.m_minute, timestamp.m_second});
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP)
{
    io_targetLength = KernelOutput::TIMESTAMP_STRUCT_SIZE;
    TDWTimestampValue timestamp = KernelOutput::Load<TDWTimestampValue>(in_sourceData);
    timestamp.m_fraction = CutFraction(timestamp.m_fraction, io_state.m_targetFractionalPrecision, io_listener);
    KernelOutput::Store(out_target, timestamp);
}

/// A GUID's text is never cut: a buffer takes all 36 characters or none.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_GUID, TDW_C_CHAR)
{
    const int64_t size = io_targetLength;
    io_targetLength = GUID_TEXT_LENGTH;
    if (out_target == nullptr)
    {
        return;
    }
    char text[TDWGuidValue::TEXT_LENGTH];
    KernelOutput::Load<TDWGuidValue>(in_sourceData).ToChars(text, false);
    if (!KernelOutput::WriteNarrowText(text, GUID_TEXT_LENGTH, out_target, size))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_GUID, TDW_C_WCHAR)
{
    const int64_t size = KernelOutput::AbsoluteSize(io_targetLength);
    io_targetLength = EncodingInfo::GetCodeUnitSize(io_state.m_targetEncoding) * GUID_TEXT_LENGTH;
    if (out_target == nullptr)
    {
        return;
    }
    char text[TDWGuidValue::TEXT_LENGTH];
    KernelOutput::Load<TDWGuidValue>(in_sourceData).ToChars(text, false);
    if (!KernelOutput::WriteWideText(text, GUID_TEXT_LENGTH, out_target, size, io_state.m_targetEncoding))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_GUID, TDW_C_GUID)
{
    io_targetLength = GUID_STRUCT_SIZE;
    if (out_target != nullptr)
    {
        std::memcpy(out_target, in_sourceData, GUID_STRUCT_SIZE);
    }
}

namespace {

#define ORVIK_DATETIME_CELL(in_source, in_target) {in_source, in_target, KERNEL<in_source, in_target>}

const SqlToCKernelCell DATETIME_CELLS[] = {
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_DATE, TDW_C_CHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_DATE, TDW_C_WCHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_DATE, TDW_C_TYPE_DATE),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_DATE, TDW_C_TYPE_TIMESTAMP),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIME, TDW_C_CHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIME, TDW_C_WCHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIME, TDW_C_TYPE_TIME),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIME, TDW_C_TYPE_TIMESTAMP),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_CHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_WCHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_DATE),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIME),
    ORVIK_DATETIME_CELL(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP),
    ORVIK_DATETIME_CELL(TDW_SQL_GUID, TDW_C_CHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_GUID, TDW_C_WCHAR),
    ORVIK_DATETIME_CELL(TDW_SQL_GUID, TDW_C_GUID),
};

#undef ORVIK_DATETIME_CELL

} // namespace

SqlToCKernelCells GetDatetimeSourceCells()
{
    return SqlToCKernelCells::Of(DATETIME_CELLS);
}

} // namespace Support
} // namespace Orvik
