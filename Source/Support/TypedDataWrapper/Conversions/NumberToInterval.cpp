#include "NumberToInterval.h"

#include "ExactNumericToSql.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWIntervalLimits.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"

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

bool NumberToInterval::PrepareTarget(SqlData& io_target)
{
    const bool isSecond = io_target.GetMetadata().GetTDWType() == TDW_SQL_INTERVAL_SECOND;
    io_target.SetConvertedLength(isSecond ? sizeof(TDWSecondInterval) : sizeof(TDWSingleFieldInterval));
    return isSecond;
}

bool NumberToInterval::FitsLeadingField(uint64_t in_magnitude,
                                        bool in_isNegative,
                                        const SqlData& in_target,
                                        WarningListener& io_listener)
{
    const uint64_t leadingPrecision = in_target.GetMetadata().GetLengthOrIntervalPrecision();
    if (static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(in_magnitude)) > leadingPrecision
        || in_magnitude > TDWIntervalLimits::MAX_LEADING_FIELD)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, in_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return false;
    }
    return true;
}

void NumberToInterval::Write(SqlData& io_target,
                             bool in_isSecond,
                             uint32_t in_field,
                             uint32_t in_fraction,
                             bool in_isNegative)
{
    if (in_isSecond)
    {
        TDWSecondInterval record;
        record.m_second = in_field;
        record.m_fraction = in_fraction;
        record.m_isNegative = in_isNegative;
        KernelOutput::Store(io_target.GetBuffer(), record);
        return;
    }
    TDWSingleFieldInterval record;
    record.m_value = in_field;
    record.m_isNegative = in_isNegative;
    KernelOutput::Store(io_target.GetBuffer(), record);
}

template <typename F>
void NumberToInterval::FromFloating(const ToSqlSource& in_source, SqlData& io_target, WarningListener& io_listener)
{
    const bool isSecond = PrepareTarget(io_target);
    const F value = KernelOutput::Load<F>(in_source.m_value);
    // A NaN compares false with every bound: it has no field and no sign to give.
    if (std::isnan(value))
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    const bool isNegative = value < 0;
    const F magnitude = std::fabs(value);
    // The largest magnitude that may become a leading field: in single precision 10^9 itself
    // passes here, and fails on its ten digits.
    constexpr F upperBound = std::is_same<F, float>::value ? F(1000000000.0f) : F(999999999.0);
    if (magnitude > upperBound)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    const F whole = std::trunc(magnitude);
    const uint64_t field = static_cast<uint64_t>(whole);
    if (!FitsLeadingField(field, isNegative, io_target, io_listener))
    {
        return;
    }
    const F fraction = magnitude - whole;
    if (isSecond)
    {
        const int16_t precision = io_target.GetMetadata().GetPrecision();
        Write(io_target, true, static_cast<uint32_t>(field), FractionAt(fraction, precision), isNegative);
        return;
    }
    Write(io_target, false, static_cast<uint32_t>(field), 0, isNegative);
    if (fraction != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, isNegative);
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
    const bool isSecond = PrepareTarget(io_target);
    TDWNumeric value;
    if (!ExactNumericToSql::ReadSource(in_source, ExactNumericToSql::OWN_SCALE, value, io_listener))
    {
        return;
    }
    const bool isNegative = value.IsNegative();
    TDWNumeric magnitude(value);
    if (isNegative)
    {
        magnitude.Negate();
    }
    bool isBeyond64Bits = false;
    const uint64_t field = magnitude.GetUInt64(isBeyond64Bits);
    if (isBeyond64Bits)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    if (!FitsLeadingField(field, isNegative, io_target, io_listener))
    {
        return;
    }
    uint32_t fraction = 0;
    if (isSecond)
    {
        fraction = ConversionHelpers::GetSecondsFraction(value, io_target.GetMetadata().GetPrecision(), io_listener);
    }
    else if (magnitude.HasFraction())
    {
        KernelOutput::PostFractionalTrunc(io_listener, isNegative);
    }
    Write(io_target, isSecond, static_cast<uint32_t>(field), fraction, isNegative);
}

} // namespace Support
} // namespace Orvik
