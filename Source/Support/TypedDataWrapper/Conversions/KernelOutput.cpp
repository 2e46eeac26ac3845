#include "KernelOutput.h"

#include "Support/PlatformStringConverter.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <sqltypes.h>

#include <cstddef>
#include <limits>

namespace Orvik {
namespace Support {

static_assert(sizeof(SQL_INTERVAL_STRUCT) == KernelOutput::INTERVAL_STRUCT_SIZE, "interval structure size");
static_assert(sizeof(SQL_NUMERIC_STRUCT) == KernelOutput::NUMERIC_STRUCT_SIZE, "numeric structure size");
static_assert(sizeof(SQL_NUMERIC_STRUCT::val) == 16, "numeric magnitude bytes");
static_assert(sizeof(KernelOutput::TimeStruct) == KernelOutput::TIME_STRUCT_SIZE, "TIME_STRUCT layout");
static_assert(sizeof(KernelOutput::NumericStruct) == KernelOutput::NUMERIC_STRUCT_SIZE, "SQL_NUMERIC_STRUCT layout");

namespace {

// The structure is assembled on the stack and copied whole, so that the fields the type does not
// use are zero and an unaligned application buffer is never written through a typed pointer.
void CopyInterval(void* out_target, const SQL_INTERVAL_STRUCT& in_interval)
{
    if (out_target != nullptr)
    {
        std::memcpy(out_target, &in_interval, sizeof(in_interval));
    }
}

SQL_INTERVAL_STRUCT StartInterval(KernelOutput::IntervalCode in_code, bool in_isNegative)
{
    SQL_INTERVAL_STRUCT interval;
    std::memset(&interval, 0, sizeof(interval));
    interval.interval_type = static_cast<SQLINTERVAL>(in_code);
    interval.interval_sign = in_isNegative ? 1 : 0;
    return interval;
}

} // namespace

int64_t KernelOutput::AbsoluteSize(int64_t in_length)
{
    if (in_length == std::numeric_limits<int64_t>::min())
    {
        return 0;
    }
    return in_length < 0 ? -in_length : in_length;
}

void KernelOutput::PostOutOfRange(WarningListener& io_listener, int32_t in_direction)
{
    io_listener.PostWarning(ConversionResult::NumericValOutOfRange(in_direction));
}

void KernelOutput::PostIntervalFieldOverflow(WarningListener& io_listener, int32_t in_direction)
{
    io_listener.PostWarning(ConversionResult::IntervalFieldOverflow(in_direction));
}

void KernelOutput::PostFractionalTrunc(WarningListener& io_listener, bool in_isNegative)
{
    io_listener.PostWarning(ConversionResult::FractionalTrunc(in_isNegative ? 0 : 1));
}

void KernelOutput::PostStrRightTrunc(WarningListener& io_listener)
{
    io_listener.PostWarning(ConversionResult::StrRightTrunc());
}

void KernelOutput::WriteYearMonthInterval(void* out_target,
                                          IntervalCode in_code,
                                          bool in_isNegative,
                                          uint32_t in_year,
                                          uint32_t in_month)
{
    SQL_INTERVAL_STRUCT interval = StartInterval(in_code, in_isNegative);
    interval.intval.year_month.year = in_year;
    interval.intval.year_month.month = in_month;
    CopyInterval(out_target, interval);
}

void KernelOutput::WriteDaySecondInterval(void* out_target,
                                          IntervalCode in_code,
                                          bool in_isNegative,
                                          uint32_t in_day,
                                          uint32_t in_hour,
                                          uint32_t in_minute,
                                          uint32_t in_second,
                                          uint32_t in_fraction)
{
    SQL_INTERVAL_STRUCT interval = StartInterval(in_code, in_isNegative);
    interval.intval.day_second.day = in_day;
    interval.intval.day_second.hour = in_hour;
    interval.intval.day_second.minute = in_minute;
    interval.intval.day_second.second = in_second;
    interval.intval.day_second.fraction = in_fraction;
    CopyInterval(out_target, interval);
}

void KernelOutput::WriteSingleFieldInterval(void* out_target,
                                            IntervalCode in_code,
                                            bool in_isNegative,
                                            uint32_t in_value,
                                            uint32_t in_fraction)
{
    switch (in_code)
    {
    case INTERVAL_YEAR:
        WriteYearMonthInterval(out_target, in_code, in_isNegative, in_value, 0);
        break;
    case INTERVAL_MONTH:
        WriteYearMonthInterval(out_target, in_code, in_isNegative, 0, in_value);
        break;
    case INTERVAL_DAY:
        WriteDaySecondInterval(out_target, in_code, in_isNegative, in_value, 0, 0, 0, 0);
        break;
    case INTERVAL_HOUR:
        WriteDaySecondInterval(out_target, in_code, in_isNegative, 0, in_value, 0, 0, 0);
        break;
    case INTERVAL_MINUTE:
        WriteDaySecondInterval(out_target, in_code, in_isNegative, 0, 0, in_value, 0, 0);
        break;
    default:
        WriteDaySecondInterval(out_target, INTERVAL_SECOND, in_isNegative, 0, 0, 0, in_value, in_fraction);
        break;
    }
}

void KernelOutput::WriteSqlNumeric(const TDWNumeric& in_value,
                                   int32_t in_sourceDigits,
                                   void* out_target,
                                   int16_t in_precision,
                                   int16_t in_scale,
                                   WarningListener& io_listener)
{
    SQL_NUMERIC_STRUCT numeric;
    std::memset(&numeric, 0, sizeof(numeric));
    numeric.precision = static_cast<SQLCHAR>(in_precision);
    numeric.scale = static_cast<SQLSCHAR>(in_scale);
    const bool isNegative = in_value.IsNegative();
    numeric.sign = isNegative ? 0 : 1;

    TDWNumeric magnitude(in_value);
    if (isNegative)
    {
        magnitude.Negate();
    }
    bool isFractionCut = false;
    const int32_t fractionDigits = -int32_t{magnitude.GetExponent()};
    if (in_scale < fractionDigits)
    {
        isFractionCut = magnitude.ScaleDown(fractionDigits - in_scale);
        in_sourceDigits -= fractionDigits - in_scale;
    }
    else if (in_scale > fractionDigits)
    {
        magnitude.ScaleUp(in_scale - fractionDigits);
    }

    const bool fits = magnitude.IsValid()
        && magnitude.GetMagnitudeBytes(numeric.val, sizeof(numeric.val))
        && !(in_precision < in_sourceDigits && in_precision < magnitude.GetPrecision());
    if (!fits)
    {
        std::memset(numeric.val, 0, sizeof(numeric.val));
        PostOutOfRange(io_listener, isNegative ? BELOW : ABOVE);
    }
    else if (isFractionCut)
    {
        PostFractionalTrunc(io_listener, false);
    }
    if (out_target != nullptr)
    {
        std::memcpy(out_target, &numeric, sizeof(numeric));
    }
}

bool KernelOutput::WriteNarrowText(const char* in_text, int64_t in_length, void* out_target, int64_t in_size)
{
    if (in_length < 0 || in_length >= in_size)
    {
        return false;
    }
    char* target = static_cast<char*>(out_target);
    std::memcpy(target, in_text, static_cast<size_t>(in_length));
    target[in_length] = '\0';
    return true;
}

bool KernelOutput::WriteWideText(const char* in_text,
                                 int64_t in_length,
                                 void* out_target,
                                 int64_t in_size,
                                 EncodingType in_encoding)
{
    return in_length >= 0
        && PlatformStringConverter::WriteAsciiAs(in_text, in_length, out_target, in_size, in_encoding, true);
}

} // namespace Support
} // namespace Orvik
