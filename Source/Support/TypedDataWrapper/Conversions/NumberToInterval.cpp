#include "NumberToInterval.h"

#include "ExactNumericToSql.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

constexpr int16_t MAX_SECONDS_PRECISION = 9;
constexpr double POWERS_OF_TEN[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};

/// The fraction of a magnitude below 1, at in_precision digits, cut toward zero. A single
/// precision value is scaled in single precision, so the fraction is the one its binary value
/// carries (the single 99.9 is 99.9000015...).
template <typename F>
uint32_t FractionAt(F in_fraction, int16_t in_precision)
{
    const F scale = static_cast<F>(POWERS_OF_TEN[std::clamp<int16_t>(in_precision, 0, MAX_SECONDS_PRECISION)]);
    const F product = in_fraction * scale;
    return static_cast<uint32_t>(std::trunc(product));
}

} // namespace

const IntervalKind& NumberToInterval::PrepareTarget(SqlData& io_target)
{
    const IntervalKind* kind = IntervalKind::OfType(io_target.GetMetadata().GetTDWType());
    if (kind == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    io_target.SetConvertedLength(kind->SqlValueSize());
    return *kind;
}

bool NumberToInterval::FitsLeadingField(const IntervalFields& in_interval,
                                        const IntervalKind& in_kind,
                                        const SqlData& in_target,
                                        WarningListener& io_listener)
{
    if (!in_interval.LeadingFits(in_kind, in_target.GetMetadata().GetLengthOrIntervalPrecision()))
    {
        KernelOutput::PostIntervalFieldOverflow(
            io_listener, in_interval.m_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return false;
    }
    return true;
}

template <typename F>
void NumberToInterval::FromFloating(const ToSqlSource& in_source, SqlData& io_target, WarningListener& io_listener)
{
    const IntervalKind& kind = PrepareTarget(io_target);
    const F value = KernelOutput::Load<F>(in_source.m_value);
    // A NaN compares false with every bound: it has no field and no sign to give.
    if (std::isnan(value))
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    IntervalFields interval;
    interval.m_isNegative = value < 0;
    const F magnitude = std::fabs(value);
    // The largest magnitude that may become a leading field: in single precision 10^9 itself
    // passes here, and fails on its ten digits.
    constexpr F upperBound = std::is_same<F, float>::value ? F(1000000000.0f) : F(999999999.0);
    if (magnitude > upperBound)
    {
        KernelOutput::PostIntervalFieldOverflow(
            io_listener, interval.m_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    const F whole = std::trunc(magnitude);
    interval.m_fields[kind.m_first] = static_cast<uint64_t>(whole);
    if (!FitsLeadingField(interval, kind, io_target, io_listener))
    {
        return;
    }
    const F fraction = magnitude - whole;
    if (kind.HasSeconds())
    {
        interval.m_fraction = FractionAt(fraction, io_target.GetMetadata().GetPrecision());
    }
    interval.WriteSqlValue(io_target.GetBuffer(), kind);
    if (!kind.HasSeconds() && fraction != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, interval.m_isNegative);
    }
}

void NumberToInterval::FromReal(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState&,
                                WarningListener& io_listener)
{
    FromFloating<float>(in_source, io_target, io_listener);
}

void NumberToInterval::FromDouble(const ToSqlSource& in_source,
                                  SqlData& io_target,
                                  ToSqlKernelState&,
                                  WarningListener& io_listener)
{
    FromFloating<double>(in_source, io_target, io_listener);
}

void NumberToInterval::FromExactNumeric(const ToSqlSource& in_source,
                                        SqlData& io_target,
                                        ToSqlKernelState&,
                                        WarningListener& io_listener)
{
    const IntervalKind& kind = PrepareTarget(io_target);
    TDWNumeric value;
    if (!ExactNumericToSql::ReadSource(in_source, ExactNumericToSql::OWN_SCALE, value, io_listener))
    {
        return;
    }
    IntervalFields interval;
    interval.m_isNegative = value.IsNegative();
    TDWNumeric magnitude(value);
    if (interval.m_isNegative)
    {
        magnitude.Negate();
    }
    // An integer part beyond 64 bits is beyond any leading field.
    bool isBeyond64Bits = false;
    const uint64_t integerPart = magnitude.GetUInt64(isBeyond64Bits);
    interval.m_fields[kind.m_first] = isBeyond64Bits ? UINT64_MAX : integerPart;
    if (!FitsLeadingField(interval, kind, io_target, io_listener))
    {
        return;
    }
    if (kind.HasSeconds())
    {
        interval.m_fraction =
            ConversionHelpers::GetSecondsFraction(value, io_target.GetMetadata().GetPrecision(), io_listener);
    }
    else if (magnitude.HasFraction())
    {
        KernelOutput::PostFractionalTrunc(io_listener, interval.m_isNegative);
    }
    interval.WriteSqlValue(io_target.GetBuffer(), kind);
}

} // namespace Support
} // namespace Orvik
