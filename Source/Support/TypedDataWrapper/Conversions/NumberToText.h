#pragma once

#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of bits, integers, floating-point values and exact numerics into character
/// values, from application buffers and SQL-side values alike. The text is ASCII, written as one
/// code unit of the target's encoding per character; a value from an application buffer gets a
/// terminating zero code unit that the target's length counts and its converted length does not.
/// The target is first sized for the whole text: the system's own holders always take it.
class NumberToText
{
public:
    NumberToText() = delete;

    /// An integer of type S in decimal: "-" before a negative value, no leading zeros. A holder
    /// that cannot take the text posts NumericValOutOfRange 2 and is not written.
    template <typename S>
    static void IntegerToText(const ToSqlSource& in_source,
                              SqlData& io_target,
                              ToSqlKernelState& io_state,
                              WarningListener& io_listener);

    /// A bit: "1" for any byte but 0, "0" for 0; a holder too small as for IntegerToText.
    static void BitToText(const ToSqlSource& in_source,
                          SqlData& io_target,
                          ToSqlKernelState& io_state,
                          WarningListener& io_listener);

    /// A single- (F float, 7 significant digits) or double-precision value (F double, 15) as
    /// NumberConverter::FormatDouble writes it, NaN and the infinities by name. A holder that
    /// stays short of the text takes it cut (FractionalTrunc, 1 for a value of zero or more, 0
    /// for a negative one), or, when not even the integral digits or the name fit, nothing
    /// (NumericValOutOfRange 2). The converted length is always the whole text's.
    template <typename F>
    static void FloatingToText(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState& io_state,
                               WarningListener& io_listener);

    /// An exact numeric in plain decimal, every digit of its scale shown, for a narrow character
    /// target. An application's numeric structure (its own scale byte, a sign byte of 0 for a
    /// negative value) is written whole, a zero with its fraction digits (".00"). A SQL-side
    /// value gets 128 characters of room: a longer text loses fraction digits from the right
    /// (StrRightTrunc; the converted length is then the whole text's, one less when the point
    /// went as well), one whose sign, integral digits and point do not fit is not written
    /// (NumericValOutOfRange 2); a SQL-side zero is "0" while
    /// ConversionSettings::NumericZeroAsDigit is on. An invalid SQL-side value posts
    /// NumericValOutOfRange 2.
    static void ExactToNarrowText(const ToSqlSource& in_source,
                                  SqlData& io_target,
                                  ToSqlKernelState& io_state,
                                  WarningListener& io_listener);

    /// The same for a wide character target, except that a SQL-side value's room is the
    /// target's column size in characters and its converted length that of the text written.
    static void ExactToWideText(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState& io_state,
                                WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
