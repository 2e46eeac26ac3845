#pragma once

#include "NumberToSql.h"
#include "ToSqlKernel.h"
#include "ToSqlSource.h"
#include "ToSqlSourceText.h"

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ConversionWarningHolder.h"

#include <cstddef>
#include <memory>

namespace Orvik {
namespace Support {

/// The kernels of character text into integers, NUMERIC and DECIMAL, floating-point values and
/// bits, from application buffers (SQL_C_CHAR, SQL_C_WCHAR) and SQL-side character values alike;
/// the text is read as ToSqlSourceText gives it. Only the space is a blank. An application's
/// value is held to its digits: where a SQL-side value loses a fraction with FractionalTrunc,
/// an application's posts StrRightTruncErr. A value refused for any other reason leaves the
/// target as it was.
class CharacterToNumber
{
public:
    CharacterToNumber() = delete;

    /// A text parser of the integer type T (the LiteralParser's ConvertCharTo... of T).
    template <typename T>
    using IntegerParser = void (*)(const char*, size_t, bool, T&, WarningListener&);

    /// The number the text holds, truncated toward zero, as the integer T. Blank or malformed
    /// text posts InvalidCharValForCast; a value beyond T, or INFINITY, -INFINITY and NaN (any
    /// case, the infinities from their third letter on), posts NumericValOutOfRange (0 above, 1
    /// below, 2 for NaN); a lost fraction is cut, posting FractionalTrunc or StrRightTruncErr.
    template <typename T, IntegerParser<T> in_parse>
    static void ToInteger(const ToSqlSource& in_source,
                          SqlData& io_target,
                          ToSqlKernelState&,
                          WarningListener& io_listener)
    {
        void* target = NumberToSql::FixedTarget(io_target, sizeof(T));
        ToSqlSourceText text;
        if (!text.Read(in_source, io_listener))
        {
            return;
        }
        ConversionWarningHolder holder;
        T value = 0;
        in_parse(text.Data(), text.Length(), in_source.IsCSource(), value, holder);
        StoreUnlessRefused(holder.TakeResult(), &value, sizeof(T), target, io_listener);
    }

    /// The exact number the text holds (trailing NULs count as blanks here), brought to the
    /// target's scale by ExactNumericToSql::AdjustNumericScale. From an application's text a cut
    /// fraction or a value beyond the target's precision posts StrRightTruncErr instead (the cut
    /// value stored, the other not).
    static void ToNumeric(const ToSqlSource& in_source,
                          SqlData& io_target,
                          ToSqlKernelState& io_state,
                          WarningListener& io_listener);

    /// The nearest single-precision value. Leading white space is skipped, trailing spaces
    /// allowed; INFINITY, -INFINITY and NaN (no trailing blank) store those values. A magnitude
    /// below the smallest normal single becomes 0; one that rounds beyond the largest single
    /// posts NumericValOutOfRange (1 when the text starts with "-", else 0).
    static void ToReal(const ToSqlSource& in_source,
                       SqlData& io_target,
                       ToSqlKernelState& io_state,
                       WarningListener& io_listener);

    /// The same in double precision.
    static void ToDouble(const ToSqlSource& in_source,
                         SqlData& io_target,
                         ToSqlKernelState& io_state,
                         WarningListener& io_listener);

    /// 0 or 1; a number between 0 and 2 is cut to its bit with FractionalTrunc (the bit kept as
    /// its info). Blank text and the special words post NumericValOutOfRange 2, numbers below 0
    /// or from 2 on NumericValOutOfRange 1 or 0, malformed text InvalidCharValForCast.
    static void ToBit(const ToSqlSource& in_source,
                      SqlData& io_target,
                      ToSqlKernelState& io_state,
                      WarningListener& io_listener);

private:
    /// Copies in_size bytes of in_value to out_target unless in_result refused the value (a cut
    /// fraction lets it stand), then posts in_result.
    static void StoreUnlessRefused(std::unique_ptr<ConversionResult> in_result,
                                   const void* in_value,
                                   size_t in_size,
                                   void* out_target,
                                   WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
