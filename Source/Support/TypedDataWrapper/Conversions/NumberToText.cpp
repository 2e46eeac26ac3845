#include "NumberToText.h"

#include "FloatingText.h"
#include "KernelOutput.h"
#include "NumericText.h"
#include "ToSqlSource.h"
#include "ToSqlText.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/ConversionSettings.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <algorithm>
#include <string>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

constexpr uint16_t SINGLE_PRECISION_DIGITS = 7;
constexpr uint16_t DOUBLE_PRECISION_DIGITS = 15;

/// The room of a SQL-side exact numeric in a narrow target, in characters.
constexpr uint32_t NARROW_EXACT_ROOM = 128;

template <typename S>
std::string IntegerText(S in_value)
{
    if constexpr (std::is_signed<S>::value)
    {
        return NumberConverter::ConvertInt64ToString(in_value);
    }
    else
    {
        return NumberConverter::ConvertUInt64ToString(in_value);
    }
}

/// An application's numeric structure is written whole, a zero with its fraction digits.
void ApplicationExactToText(const ToSqlSource& in_source, SqlData& io_target, WarningListener& io_listener)
{
    // The structure's own scale, a signed byte, is always one an exact number keeps, and its
    // text fits the scratch area of the text.
    TDWNumeric value;
    ConversionHelpers::NumericStructToExactNumeric(in_source.m_value, value);
    const NumericText text(value, false);
    ToSqlText::StoreWhole(text.Data(), text.Length(), true, io_target, io_listener);
}

/// Reads the SQL-side value; false, having posted, when its image is not a usable number.
bool ReadSqlNumeric(const ToSqlSource& in_source, TDWNumeric& out_value, WarningListener& io_listener)
{
    out_value = KernelOutput::Load<TDWNumeric>(in_source.m_value);
    if (!out_value.IsValid())
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return false;
    }
    return true;
}

} // namespace

template <typename S>
void NumberToText::IntegerToText(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState&,
                                 WarningListener& io_listener)
{
    const std::string text = IntegerText(KernelOutput::Load<S>(in_source.m_value));
    ToSqlText::StoreWhole(text.data(), static_cast<int64_t>(text.size()), in_source.IsCSource(), io_target,
                          io_listener);
}

void NumberToText::BitToText(const ToSqlSource& in_source,
                             SqlData& io_target,
                             ToSqlKernelState&,
                             WarningListener& io_listener)
{
    const char text = KernelOutput::Load<uint8_t>(in_source.m_value) != 0 ? '1' : '0';
    ToSqlText::StoreWhole(&text, 1, in_source.IsCSource(), io_target, io_listener);
}

template <typename F>
void NumberToText::FloatingToText(const ToSqlSource& in_source,
                                  SqlData& io_target,
                                  ToSqlKernelState&,
                                  WarningListener& io_listener)
{
    const uint16_t digits = std::is_same<F, float>::value ? SINGLE_PRECISION_DIGITS : DOUBLE_PRECISION_DIGITS;
    const FloatingText text(KernelOutput::Load<F>(in_source.m_value), digits);
    const bool terminate = in_source.IsCSource();
    char kept[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
    const int64_t count = text.Fit(ToSqlText::Reserve(text.Length(), terminate, io_target), kept);
    text.Post(count, io_listener);
    if (count >= 0)
    {
        ToSqlText::StoreFitted(kept, count, terminate, io_target);
    }
}

void NumberToText::ExactToNarrowText(const ToSqlSource& in_source,
                                     SqlData& io_target,
                                     ToSqlKernelState&,
                                     WarningListener& io_listener)
{
    if (in_source.IsCSource())
    {
        ApplicationExactToText(in_source, io_target, io_listener);
        return;
    }
    TDWNumeric value;
    if (!ReadSqlNumeric(in_source, value, io_listener))
    {
        return;
    }
    const NumericText text(value, ConversionSettings::NumericZeroAsDigit);
    io_target.SetConvertedLength(0);
    io_target.SetLength(NARROW_EXACT_ROOM);
    const int64_t count = text.Fit(std::min(io_target.GetLength(), NARROW_EXACT_ROOM));
    if (count < 0)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    ToSqlText::StoreFitted(text.Data(), count, false, io_target);
    if (count < text.Length())
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
}

void NumberToText::ExactToWideText(const ToSqlSource& in_source,
                                   SqlData& io_target,
                                   ToSqlKernelState&,
                                   WarningListener& io_listener)
{
    if (in_source.IsCSource())
    {
        ApplicationExactToText(in_source, io_target, io_listener);
        return;
    }
    TDWNumeric value;
    if (!ReadSqlNumeric(in_source, value, io_listener))
    {
        return;
    }
    const NumericText text(value, ConversionSettings::NumericZeroAsDigit);
    const uint64_t columnSize = io_target.GetMetadata().GetLengthOrIntervalPrecision();
    const int64_t count = text.Fit(static_cast<int64_t>(std::min<uint64_t>(columnSize, INT64_MAX)));
    if (count < 0)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    if (ToSqlText::StoreWhole(text.Data(), count, false, io_target, io_listener) && count < text.Length())
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
}

template void NumberToText::IntegerToText<int8_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::IntegerToText<uint8_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::IntegerToText<int16_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::IntegerToText<uint16_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::IntegerToText<int32_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::IntegerToText<uint32_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::IntegerToText<int64_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::IntegerToText<uint64_t>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::FloatingToText<float>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void NumberToText::FloatingToText<double>(const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);

} // namespace Support
} // namespace Orvik
