// Character text into dates, times, timestamps and intervals, through the literal parsers that
// the SQL-to-C kernels of character sources share.

#include "TextToDatetimeAndInterval.h"

#include "IntervalFields.h"
#include "IntervalKind.h"
#include "IntervalTextReduction.h"
#include "KernelOutput.h"
#include "PowersOfTen.h"
#include "ToSqlSource.h"
#include "ToSqlSourceText.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/IntervalLiteralParser.h"
#include "Support/TypedDataWrapper/LiteralParser.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <cstddef>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

/// Passes every result on and remembers whether the text was refused as no value of the type;
/// a cut value, after DatetimeFieldOverflow or FractionalTrunc, is still stored.
class RefusalWatch final : public WarningListener
{
public:
    explicit RefusalWatch(WarningListener& io_next) : m_next(io_next) {}

    void PostWarning(const ConversionResult& in_result) override
    {
        const ConversionResultCode code = in_result.GetCode();
        m_isRefused =
            m_isRefused || code == CONV_INVALID_CHARACTER_VALUE || code == CONV_NUMERIC_OUT_OF_RANGE;
        m_next.PostWarning(in_result);
    }

    bool IsRefused() const { return m_isRefused; }

private:
    WarningListener& m_next;
    bool m_isRefused = false;
};

/// A date or timestamp escape is one only at the text's very first byte: after blanks the brace
/// belongs to the literal, which no literal has.
bool IsEscapeAfterBlanks(const ToSqlSourceText& in_text)
{
    size_t blanks = 0;
    while (blanks < in_text.Length() && in_text.Data()[blanks] == ' ')
    {
        ++blanks;
    }
    return blanks > 0 && blanks < in_text.Length() && in_text.Data()[blanks] == '{';
}

/// Reads the text of a date or timestamp; false, having posted the reason, when there is none.
bool ReadDatetimeText(const ToSqlSource& in_source, ToSqlSourceText& out_text, WarningListener& io_listener)
{
    if (!out_text.Read(in_source, io_listener))
    {
        return false;
    }
    if (IsEscapeAfterBlanks(out_text))
    {
        io_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return false;
    }
    return true;
}

template <typename T>
void Store(SqlData& io_target, const T& in_value)
{
    std::memcpy(io_target.GetBuffer(), &in_value, sizeof(T));
    io_target.SetConvertedLength(sizeof(T));
}

/// Writes the time record whole, its unused bytes zero.
void StoreTime(SqlData& io_target, uint16_t in_hour, uint16_t in_minute, uint16_t in_second, uint32_t in_fraction)
{
    uint8_t* target = static_cast<uint8_t*>(io_target.GetBuffer());
    std::memset(target, 0, sizeof(TDWTimeValue));
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_hour), in_hour);
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_minute), in_minute);
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_second), in_second);
    KernelOutput::Store(target + offsetof(TDWTimeValue, m_fraction), in_fraction);
    io_target.SetConvertedLength(sizeof(TDWTimeValue));
}

/// Writes a checked interval as the SQL-side value of its kind.
void StoreInterval(SqlData& io_target, const IntervalFields& in_value, const IntervalKind& in_kind)
{
    in_value.WriteSqlValue(io_target.GetBuffer(), in_kind);
    io_target.SetConvertedLength(in_kind.SqlValueSize());
}

void ToYearMonth(const ToSqlSourceText& in_text,
                 const IntervalKind& in_kind,
                 SqlData& io_target,
                 WarningListener& io_listener)
{
    YearMonthIntervalParse parse;
    const IntervalParseCode code =
        IntervalLiteralParser::ParseYearMonthInterval(in_text.Data(), in_text.Length(), parse);
    if (code != IntervalParseCode::PARSED)
    {
        IntervalLiteralParser::PostIntervalParseResult(code, io_listener);
        return;
    }
    const IntervalTextReduction::Reduced reduced = IntervalTextReduction::ReduceYearMonth(parse, in_kind.m_code);
    if (reduced.m_isLost)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    const uint64_t leadingPrecision = io_target.GetMetadata().GetLengthOrIntervalPrecision();
    if (IntervalTextReduction::Check(reduced.m_value, in_kind, leadingPrecision, io_listener))
    {
        StoreInterval(io_target, reduced.m_value, in_kind);
    }
}

void ToDayTime(const ToSqlSourceText& in_text,
               const IntervalKind& in_kind,
               SqlData& io_target,
               WarningListener& io_listener)
{
    const SqlTypeMetadata& metadata = io_target.GetMetadata();
    const int16_t precision = in_kind.HasSeconds() ? metadata.GetPrecision() : 0;
    DayTimeIntervalParse parse;
    const IntervalParseCode code =
        IntervalLiteralParser::ParseDayTimeInterval(in_text.Data(), in_text.Length(), parse, precision);
    if (code != IntervalParseCode::PARSED)
    {
        IntervalLiteralParser::PostIntervalParseResult(code, io_listener);
        return;
    }
    IntervalTextReduction::Reduced reduced = IntervalTextReduction::ReduceDayTime(parse, in_kind.m_code);
    if (reduced.m_isLost)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    IntervalFields& value = reduced.m_value;
    if (!IntervalTextReduction::Check(value, in_kind, metadata.GetLengthOrIntervalPrecision(), io_listener))
    {
        return;
    }
    // The fraction keeps the digits the target's precision does; a longer one is cut even when
    // only zeros go.
    const bool isCut = parse.m_fractionDigits > precision && value.m_fraction != 0;
    if (isCut)
    {
        const uint64_t divisor = PowersOfTen::Of(parse.m_fractionDigits - precision);
        value.m_fraction = static_cast<uint32_t>(value.m_fraction / divisor);
    }
    StoreInterval(io_target, value, in_kind);
    if (isCut)
    {
        KernelOutput::PostFractionalTrunc(io_listener, value.m_isNegative);
    }
}

} // namespace

void TextToDatetimeAndInterval::ToDate(const ToSqlSource& in_source,
                                       SqlData& io_target,
                                       ToSqlKernelState&,
                                       WarningListener& io_listener)
{
    ToSqlSourceText text;
    if (!ReadDatetimeText(in_source, text, io_listener))
    {
        return;
    }
    RefusalWatch watch(io_listener);
    TDWDateValue date;
    LiteralParser::ConvertCharToDate(
        text.Data(), text.Length(), in_source.IsCSource(), date.m_year, date.m_month, date.m_day, watch);
    if (!watch.IsRefused())
    {
        Store(io_target, date);
    }
}

void TextToDatetimeAndInterval::ToTime(const ToSqlSource& in_source,
                                       SqlData& io_target,
                                       ToSqlKernelState&,
                                       WarningListener& io_listener)
{
    ToSqlSourceText text;
    if (!text.Read(in_source, io_listener))
    {
        return;
    }
    RefusalWatch watch(io_listener);
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint32_t fraction = 0;
    LiteralParser::ConvertCharToTime(text.Data(),
                                     text.Length(),
                                     in_source.IsCSource(),
                                     io_target.GetMetadata().GetPrecision(),
                                     hour,
                                     minute,
                                     second,
                                     fraction,
                                     watch);
    if (!watch.IsRefused())
    {
        StoreTime(io_target, hour, minute, second, fraction);
    }
}

void TextToDatetimeAndInterval::ToTimestamp(const ToSqlSource& in_source,
                                            SqlData& io_target,
                                            ToSqlKernelState&,
                                            WarningListener& io_listener)
{
    ToSqlSourceText text;
    if (!ReadDatetimeText(in_source, text, io_listener))
    {
        return;
    }
    RefusalWatch watch(io_listener);
    TDWTimestampValue timestamp;
    LiteralParser::ConvertCharToTimestamp(
        text.Data(), text.Length(), in_source.IsCSource(), io_target.GetMetadata().GetPrecision(), timestamp, watch);
    if (!watch.IsRefused())
    {
        Store(io_target, timestamp);
    }
}

void TextToDatetimeAndInterval::ToInterval(const ToSqlSource& in_source,
                                           SqlData& io_target,
                                           ToSqlKernelState&,
                                           WarningListener& io_listener)
{
    const IntervalKind* kind = IntervalKind::OfType(io_target.GetMetadata().GetTDWType());
    if (kind == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    ToSqlSourceText text;
    if (!text.Read(in_source, io_listener))
    {
        return;
    }
    if (kind->IsYearMonth())
    {
        ToYearMonth(text, *kind, io_target, io_listener);
    }
    else
    {
        ToDayTime(text, *kind, io_target, io_listener);
    }
}

} // namespace Support
} // namespace Orvik
