#include "CharacterToNumber.h"

#include "ExactNumericToSql.h"
#include "ReplacingListener.h"

#include "Support/TypedDataWrapper/LiteralParser.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <cstring>

namespace Orvik {
namespace Support {

namespace {

void ToFloating(bool in_isDouble, const ToSqlSource& in_source, SqlData& io_target, WarningListener& io_listener)
{
    void* target = NumberToSql::FixedTarget(io_target, in_isDouble ? sizeof(double) : sizeof(float));
    ToSqlSourceText text;
    if (text.Read(in_source, io_listener))
    {
        LiteralParser::ConvertCharToDouble(text.Data(), text.Length(), target, in_isDouble, io_listener);
    }
}

} // namespace

void CharacterToNumber::StoreUnlessRefused(std::unique_ptr<ConversionResult> in_result,
                                           const void* in_value,
                                           size_t in_size,
                                           void* out_target,
                                           WarningListener& io_listener)
{
    if (in_result == nullptr)
    {
        std::memcpy(out_target, in_value, in_size);
        return;
    }
    const ConversionResultCode code = in_result->GetCode();
    if (code == CONV_FRACTION_TRUNCATED || code == CONV_STRING_TRUNCATED_ERROR)
    {
        std::memcpy(out_target, in_value, in_size);
    }
    io_listener.PostWarning(*in_result);
}

// The precision is judged on the value, not on the digits of its text: "1e10" has one digit
// written and eleven in its value.
void CharacterToNumber::ToNumeric(const ToSqlSource& in_source,
                                  SqlData& io_target,
                                  ToSqlKernelState&,
                                  WarningListener& io_listener)
{
    NumberToSql::FixedTarget(io_target, sizeof(TDWNumeric));
    ToSqlSourceText text;
    TDWNumeric value;
    int16_t writtenDigits = 0;
    if (!text.Read(in_source, io_listener)
        || !LiteralParser::ConvertCharToNumeric(text.Data(), text.Length(), value, writtenDigits, io_listener))
    {
        return;
    }
    if (!in_source.IsCSource())
    {
        ExactNumericToSql::AdjustNumericScale(value, io_target, io_listener);
        return;
    }
    ReplacingListener strict(
        io_listener, ConversionResult::StrRightTruncErr(), CONV_FRACTION_TRUNCATED, CONV_NUMERIC_OUT_OF_RANGE);
    ExactNumericToSql::AdjustNumericScale(value, io_target, strict);
}

void CharacterToNumber::ToReal(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState&,
                               WarningListener& io_listener)
{
    ToFloating(false, in_source, io_target, io_listener);
}

void CharacterToNumber::ToDouble(const ToSqlSource& in_source,
                                 SqlData& io_target,
                                 ToSqlKernelState&,
                                 WarningListener& io_listener)
{
    ToFloating(true, in_source, io_target, io_listener);
}

void CharacterToNumber::ToBit(const ToSqlSource& in_source,
                              SqlData& io_target,
                              ToSqlKernelState&,
                              WarningListener& io_listener)
{
    void* target = NumberToSql::FixedTarget(io_target, 1);
    ToSqlSourceText text;
    if (text.Read(in_source, io_listener))
    {
        LiteralParser::ConvertCharToBit(text.Data(), text.Length(), static_cast<uint8_t*>(target), io_listener);
    }
}

} // namespace Support
} // namespace Orvik
