#pragma once

#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of character text into GUID and binary values, from application buffers and
/// SQL-side values, narrow or wide alike: the text is read as ToSqlSourceText reads it, and a
/// wide text with a character no literal has posts InvalidCharValForCast.
class TextToGuidAndBinary
{
public:
    TextToGuidAndBinary() = delete;

    /// A GUID in the 8-4-4-4-12 hexadecimal form of either case, in braces or not, blanks
    /// around it allowed, or inside the escape clause "{guid '" ... "'}" (the word in lower case,
    /// one blank before the quote). A text not of that form is refused: InvalidCharValForCast
    /// from an application buffer, NumericValOutOfRange 2 from a SQL-side value.
    static void ToGuid(const ToSqlSource& in_source,
                       SqlData& io_target,
                       ToSqlKernelState& io_state,
                       WarningListener& io_listener);

    /// Bytes written as pairs of hexadecimal digits of either case, without blanks or prefix;
    /// an odd last digit is ignored. The target is sized for every pair; a holder that stays
    /// smaller takes the pairs that fit (StrRightTrunc). A character that is not a hexadecimal
    /// digit posts InvalidCharValForCast, the bytes before it written.
    static void ToBinary(const ToSqlSource& in_source,
                         SqlData& io_target,
                         ToSqlKernelState& io_state,
                         WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
