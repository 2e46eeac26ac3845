#include "IntervalToText.h"

#include "IntervalFields.h"
#include "IntervalValueText.h"
#include "ToSqlSource.h"
#include "ToSqlText.h"

#include "Support/NumberConversionInvalidDataException.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/WarningListener.h"

namespace Orvik {
namespace Support {

namespace {

constexpr uint32_t MAX_FRACTION = 999999999;
constexpr uint64_t MAX_LEADING_PRECISION = 9;
constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;
constexpr uint32_t POWERS_OF_TEN[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

/// An interval value with the precisions its side's metadata gives it.
struct IntervalSource
{
    IntervalFields m_value;
    uint64_t m_leadingPrecision;
    int16_t m_fractionalPrecision;
};

IntervalSource Read(const ToSqlSource& in_source, const IntervalKind& in_kind)
{
    if (in_source.IsCSource())
    {
        return {IntervalFields::FromApplicationStruct(in_source.m_value, in_kind),
                in_source.m_cMetadata->GetLengthOrIntervalPrecision(), in_source.m_cMetadata->GetPrecision()};
    }
    return {IntervalFields::FromSqlValue(in_source.m_value, in_kind),
            in_source.m_sqlMetadata->GetLengthOrIntervalPrecision(), in_source.m_sqlMetadata->GetPrecision()};
}

// A SQL-side single field other than SECOND is held to its leading precision alone. The
// application's fractional precision is its own descriptor field, never checked before.
bool FieldsFit(const IntervalSource& in_source, const IntervalKind& in_kind, bool in_isCSource)
{
    const IntervalFields& value = in_source.m_value;
    const bool isLeadingLimited = in_isCSource || in_kind.FieldCount() > 1 || in_kind.m_first == UNIT_SECOND;
    if (isLeadingLimited && value.Leading(in_kind) > IntervalFields::MAX_LEADING_FIELD)
    {
        return false;
    }
    for (int unit = in_kind.m_first + 1; unit <= in_kind.m_last; ++unit)
    {
        if (value.m_fields[unit] >= IntervalKind::UnitsPer(static_cast<IntervalUnit>(unit - 1),
                                                          static_cast<IntervalUnit>(unit)))
        {
            return false;
        }
    }
    return !in_isCSource || !in_kind.HasSeconds()
        || (value.m_fraction <= MAX_FRACTION && in_source.m_fractionalPrecision >= 0
            && in_source.m_fractionalPrecision <= MAX_FRACTIONAL_PRECISION);
}

bool LeadingFitsPrecision(const IntervalSource& in_source, const IntervalKind& in_kind)
{
    const uint64_t leading = in_source.m_value.Leading(in_kind);
    const uint64_t digits = static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(leading));
    return in_source.m_leadingPrecision <= MAX_LEADING_PRECISION && digits <= in_source.m_leadingPrecision;
}

/// Brings the fraction to the fractional precision's digits: an application's is cut, a
/// SQL-side one is kept in units of that precision and must fit its digits.
void FitFraction(IntervalSource& io_source, const IntervalKind& in_kind, bool in_isCSource)
{
    uint32_t& fraction = io_source.m_value.m_fraction;
    const int16_t precision = io_source.m_fractionalPrecision;
    if (!in_kind.HasSeconds() || precision <= 0)
    {
        return;
    }
    const int32_t digits = NumberConverter::GetNumberOfDigits(fraction);
    if (in_isCSource && digits > precision)
    {
        fraction /= POWERS_OF_TEN[digits - precision];
    }
    else if (!in_isCSource && precision <= MAX_FRACTIONAL_PRECISION && fraction >= POWERS_OF_TEN[precision])
    {
        throw NumberConversionInvalidDataException("NumToStrConvFailed");
    }
}

} // namespace

template <KernelOutput::IntervalCode in_code>
void IntervalToText::ToText(const ToSqlSource& in_source,
                            SqlData& io_target,
                            ToSqlKernelState&,
                            WarningListener& io_listener)
{
    const IntervalKind& kind = IntervalKind::Of(in_code);
    const bool isCSource = in_source.IsCSource();
    IntervalSource source = Read(in_source, kind);
    if (!FieldsFit(source, kind, isCSource))
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    if (!LeadingFitsPrecision(source, kind))
    {
        io_listener.PostWarning(*ConversionResult::MakeInvalidLeadingPrecision());
        return;
    }
    FitFraction(source, kind, isCSource);
    const IntervalValueText text(source.m_value, kind, source.m_leadingPrecision, source.m_fractionalPrecision);
    ToSqlText::StoreWhole(text.Data(), text.Length(), isCSource, io_target, io_listener);
}

#define ORVIK_INTERVAL_TO_TEXT(in_code)                                                                            \
    template void IntervalToText::ToText<KernelOutput::in_code>(                                                 \
        const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);

ORVIK_INTERVAL_TO_TEXT(INTERVAL_YEAR)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_MONTH)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_DAY)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_HOUR)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_MINUTE)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_SECOND)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_YEAR_TO_MONTH)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_DAY_TO_HOUR)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_DAY_TO_MINUTE)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_DAY_TO_SECOND)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_HOUR_TO_MINUTE)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_HOUR_TO_SECOND)
ORVIK_INTERVAL_TO_TEXT(INTERVAL_MINUTE_TO_SECOND)

#undef ORVIK_INTERVAL_TO_TEXT

} // namespace Support
} // namespace Orvik
