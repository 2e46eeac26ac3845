#include "DatetimeToText.h"

#include "DatetimeText.h"
#include "KernelOutput.h"
#include "ToSqlSource.h"
#include "ToSqlText.h"

#include "Support/NumberConversionInvalidDataException.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <sqltypes.h>

namespace Orvik {
namespace Support {

namespace {

constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;
constexpr uint32_t POWERS_OF_TEN[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

int16_t FractionalPrecisionOf(const ToSqlSource& in_source)
{
    return in_source.IsCSource() ? in_source.m_cMetadata->GetPrecision() : in_source.m_sqlMetadata->GetPrecision();
}

/// A SQL-side value whose field has more digits than its place has no text.
void RequireWritable(bool in_isWritable)
{
    if (!in_isWritable)
    {
        throw NumberConversionInvalidDataException("NumToStrConvFailed");
    }
}

bool IsRefused(bool in_isValid, WarningListener& io_listener)
{
    if (!in_isValid)
    {
        io_listener.PostWarning(ConversionResult::DatetimeFieldOverflow());
    }
    return !in_isValid;
}

/// Stores a time or timestamp text. The target is asked for a terminator's place from either
/// source; a holder that stays short loses fraction digits. in_dropped is posted when a digit
/// that is not zero is not written, for the precision (in_isCutByPrecision) or for the room.
void StoreTimeText(const DatetimeText& in_text,
                   bool in_isCutByPrecision,
                   const ConversionResult& in_dropped,
                   bool in_terminate,
                   SqlData& io_target,
                   WarningListener& io_listener)
{
    const int64_t count = in_text.Fit(ToSqlText::Reserve(in_text.Length(), true, io_target));
    if (count < 0)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    ToSqlText::StoreFitted(in_text.Data(), count, in_terminate, io_target);
    if (in_isCutByPrecision || in_text.DropsDigits(count))
    {
        io_listener.PostWarning(in_dropped);
    }
}

} // namespace

void DatetimeToText::DateToText(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState&,
                                WarningListener& io_listener)
{
    const TDWDateValue date = KernelOutput::Load<TDWDateValue>(in_source.m_value);
    if (IsRefused(date.IsValid(), io_listener))
    {
        return;
    }
    DatetimeText text;
    text.SetDate(date.m_year, date.m_month, date.m_day);
    ToSqlText::StoreWhole(text.Data(), text.Length(), in_source.IsCSource(), io_target, io_listener);
}

// The application's time structure has no fraction. Its precision is the application's own
// descriptor field, never checked before: one beyond the nine digits of a fraction is refused.
void DatetimeToText::TimeToText(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState&,
                                WarningListener& io_listener)
{
    const int16_t precision = FractionalPrecisionOf(in_source);
    TDWTimeValue time;
    if (in_source.IsCSource())
    {
        const SQL_TIME_STRUCT application = KernelOutput::Load<SQL_TIME_STRUCT>(in_source.m_value);
        time.m_hour = application.hour;
        time.m_minute = application.minute;
        time.m_second = application.second;
        if (IsRefused(time.IsValid() && precision >= 0 && precision <= MAX_FRACTIONAL_PRECISION, io_listener))
        {
            return;
        }
    }
    else
    {
        time = KernelOutput::Load<TDWTimeValue>(in_source.m_value);
    }
    DatetimeText text;
    RequireWritable(text.SetTime(time.m_hour, time.m_minute, time.m_second, time.m_fraction, precision,
                                 ConversionSettings::ShowZeroTimeFraction));
    StoreTimeText(text, false, ConversionResult::StrRightTrunc(), in_source.IsCSource(), io_target, io_listener);
}

// An application's timestamp shows all nine fraction digits, so only a short holder drops any.
void DatetimeToText::TimestampToText(const ToSqlSource& in_source,
                                     SqlData& io_target,
                                     ToSqlKernelState&,
                                     WarningListener& io_listener)
{
    const TDWTimestampValue timestamp = KernelOutput::Load<TDWTimestampValue>(in_source.m_value);
    const bool isCSource = in_source.IsCSource();
    if (isCSource && IsRefused(timestamp.IsValid(), io_listener))
    {
        return;
    }
    const int16_t precision = isCSource ? MAX_FRACTIONAL_PRECISION : FractionalPrecisionOf(in_source);
    DatetimeText text;
    RequireWritable(text.SetTimestamp(timestamp, precision, ConversionSettings::ShowZeroTimestampFraction));
    const bool isCutByPrecision = precision > 0 && precision < MAX_FRACTIONAL_PRECISION
        && timestamp.m_fraction % POWERS_OF_TEN[MAX_FRACTIONAL_PRECISION - precision] != 0;
    StoreTimeText(text, isCutByPrecision, ConversionResult::FractionalTrunc(ConversionResult::NO_DIRECTION), isCSource,
                  io_target, io_listener);
}

} // namespace Support
} // namespace Orvik
