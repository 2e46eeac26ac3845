#pragma once

#include "ToSqlKernel.h"

namespace Orvik {
namespace Support {

/// The kernels of binary and GUID values into character values.
class BinaryAndGuidToText
{
public:
    BinaryAndGuidToText() = delete;

    /// A SQL-side binary value as hexadecimal text, two upper-case digits per byte, in the
    /// target's encoding, without a terminator. A holder that stays short of the text takes the
    /// digits of the whole bytes that fit one place less than its room (StrRightTrunc); the
    /// converted length is always the whole text's.
    static void HexToText(const ToSqlSource& in_source,
                          SqlData& io_target,
                          ToSqlKernelState& io_state,
                          WarningListener& io_listener);

    /// A GUID, from the application's structure or a SQL-side record, as its 36 characters
    /// 8-4-4-4-12 in upper case; a holder that cannot take them posts NumericValOutOfRange 2.
    static void GuidToText(const ToSqlSource& in_source,
                           SqlData& io_target,
                           ToSqlKernelState& io_state,
                           WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
