#include "ExactNumericToSql.h"

#include "ReplacingListener.h"

#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

/// The digits of the value's integer part; 0 for a magnitude below 1.
int32_t IntegralDigits(const TDWNumeric& in_value)
{
    const int32_t fractionDigits = std::max(0, -int32_t{in_value.GetExponent()});
    return in_value.GetPrecision() - fractionDigits;
}

/// Drops the fraction digits of io_value beyond in_scale toward zero; true when one was not zero.
bool CutToScale(TDWNumeric& io_value, int32_t in_scale)
{
    const int32_t excess = -int32_t{io_value.GetExponent()} - in_scale;
    return excess > 0 && io_value.ScaleDown(excess);
}

/// Stores in_value in the target when it is a number whose integral digits fit the target's
/// type; otherwise posts out of range by in_isNegative, the target left as it was.
bool StoreFitting(const TDWNumeric& in_value, bool in_isNegative, SqlData& io_target, WarningListener& io_listener)
{
    void* target = NumberToSql::FixedTarget(io_target, sizeof(TDWNumeric));
    const SqlTypeMetadata& metadata = io_target.GetMetadata();
    const int32_t integralRoom = int32_t{metadata.GetPrecision()} - metadata.GetScale();
    if (!in_value.IsValid() || IntegralDigits(in_value) > integralRoom)
    {
        KernelOutput::PostOutOfRange(io_listener, in_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return false;
    }
    KernelOutput::Store(target, in_value);
    return true;
}

/// A floating value keeps a scale below the target's: it is not widened with zeros.
template <typename F>
void FromFloating(const ToSqlSource& in_source, SqlData& io_target, WarningListener& io_listener)
{
    const F source = KernelOutput::Load<F>(in_source.m_value);
    TDWNumeric value(source);
    const bool isNegative = source < 0;
    const bool isCut = CutToScale(value, io_target.GetMetadata().GetScale());
    if (StoreFitting(value, isNegative, io_target, io_listener) && isCut)
    {
        KernelOutput::PostFractionalTrunc(io_listener, isNegative);
    }
}

template <typename T>
void ToFloating(T (TDWNumeric::*in_get)(bool&) const,
                const ToSqlSource& in_source,
                SqlData& io_target,
                WarningListener& io_listener)
{
    void* target = NumberToSql::FixedTarget(io_target, sizeof(T));
    TDWNumeric value;
    if (!ExactNumericToSql::ReadSource(in_source, ExactNumericToSql::PARAMETER_SCALE, value, io_listener))
    {
        return;
    }
    bool isOutOfRange = false;
    const T result = (value.*in_get)(isOutOfRange);
    if (isOutOfRange)
    {
        KernelOutput::PostOutOfRange(io_listener, value.IsNegative() ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return;
    }
    KernelOutput::Store(target, result);
}

} // namespace

bool ExactNumericToSql::ReadSource(const ToSqlSource& in_source,
                                   StructureScale in_scale,
                                   TDWNumeric& out_value,
                                   WarningListener& io_listener)
{
    bool isNumber = false;
    if (!in_source.IsCSource())
    {
        out_value = KernelOutput::Load<TDWNumeric>(in_source.m_value);
        isNumber = out_value.IsValid();
    }
    else if (in_scale == OWN_SCALE)
    {
        isNumber = ConversionHelpers::NumericStructToExactNumeric(in_source.m_value, out_value);
    }
    else
    {
        isNumber = ConversionHelpers::NumericStructToExactNumeric(
            in_source.m_value, in_source.m_cMetadata->GetScale(), out_value);
    }
    if (!isNumber)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
    return isNumber;
}

void ExactNumericToSql::AdjustNumericScale(const TDWNumeric& in_value, SqlData& io_target, WarningListener& io_listener)
{
    const int32_t scale = io_target.GetMetadata().GetScale();
    TDWNumeric value(in_value);
    const bool isCut = CutToScale(value, scale);
    value.ScaleUp(int32_t{value.GetExponent()} + scale);
    const bool isNegative = in_value.IsNegative();
    if (StoreFitting(value, isNegative, io_target, io_listener) && isCut)
    {
        KernelOutput::PostFractionalTrunc(io_listener, isNegative);
    }
}

void ExactNumericToSql::StoreWhole(const TDWNumeric& in_value, SqlData& io_target, WarningListener& io_listener)
{
    StoreFitting(in_value, in_value.IsNegative(), io_target, io_listener);
}

void ExactNumericToSql::FromBit(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState&,
                                WarningListener& io_listener)
{
    const uint8_t bit = KernelOutput::Load<uint8_t>(in_source.m_value) != 0 ? 1 : 0;
    StoreWhole(TDWNumeric(bit), io_target, io_listener);
}

void ExactNumericToSql::FromReal(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState&,
                                 WarningListener& io_listener)
{
    FromFloating<float>(in_source, io_target, io_listener);
}

void ExactNumericToSql::FromDouble(const ToSqlSource& in_source,
                                   SqlData& io_target,
                                   ToSqlKernelState&,
                                   WarningListener& io_listener)
{
    FromFloating<double>(in_source, io_target, io_listener);
}

void ExactNumericToSql::FromExactNumeric(const ToSqlSource& in_source,
                                         SqlData& io_target,
                                         ToSqlKernelState&,
                                         WarningListener& io_listener)
{
    NumberToSql::FixedTarget(io_target, sizeof(TDWNumeric));
    TDWNumeric value;
    if (!ReadSource(in_source, PARAMETER_SCALE, value, io_listener))
    {
        return;
    }
    if (!in_source.IsCSource())
    {
        AdjustNumericScale(value, io_target, io_listener);
        return;
    }
    ReplacingListener strict(
        io_listener, ConversionResult::NumericValOutOfRange(KernelOutput::NO_ROOM), CONV_FRACTION_TRUNCATED);
    AdjustNumericScale(value, io_target, strict);
}

void ExactNumericToSql::ToReal(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState&,
                               WarningListener& io_listener)
{
    ToFloating(&TDWNumeric::GetSingle, in_source, io_target, io_listener);
}

void ExactNumericToSql::ToDouble(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState&,
                                 WarningListener& io_listener)
{
    ToFloating(&TDWNumeric::GetDouble, in_source, io_target, io_listener);
}

void ExactNumericToSql::ToBit(const ToSqlSource& in_source,
                              SqlData& io_target,
                              ToSqlKernelState&,
                              WarningListener& io_listener)
{
    void* target = NumberToSql::FixedTarget(io_target, 1);
    TDWNumeric value;
    if (ReadSource(in_source, OWN_SCALE, value, io_listener))
    {
        ConversionHelpers::NumericToBit(value, static_cast<uint8_t*>(target), io_listener);
    }
}

} // namespace Support
} // namespace Orvik
