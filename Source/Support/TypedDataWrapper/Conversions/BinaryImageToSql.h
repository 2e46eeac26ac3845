#pragma once

#include "ToSqlKernel.h"

#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The kernels that move typed values as their raw bytes: an application's binary value taken as
/// the image of a fixed-size SQL value, a fixed-size SQL value given as its image to a binary
/// value, and GUIDs copied into the GUID value. An image is the value's record as it lies in
/// memory, except that of a time, which leaves out the two unused bytes before the fraction.
class BinaryImageToSql
{
public:
    BinaryImageToSql() = delete;

    /// The image size of a value of in_type; 0 for a type that has no fixed-size value.
    static uint32_t GetImageSize(TDWType in_type);

    /// The application's bytes as the image of the target's value. Only exactly the image size
    /// is taken, and an exact numeric only when it is one (a valid flag, 1 to 16 words, a sign
    /// word of all zeros or all ones, an exponent within 8191); anything else posts
    /// NumericValOutOfRange 2 and leaves the target's value as it was. Nothing else is checked.
    static void CopyIntoValue(const ToSqlSource& in_source,
                              SqlData& io_target,
                              ToSqlKernelState& io_state,
                              WarningListener& io_listener);

    /// A fixed-size SQL value as its image, which becomes the binary target's whole value
    /// whatever the target's column size. A holder that cannot take it posts
    /// NumericValOutOfRange 2.
    static void CopyOutOfValue(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState& io_state,
                               WarningListener& io_listener);

    /// The application's GUID structure into the GUID value, marked valid; or a SQL-side GUID
    /// value copied with its valid flag as it stands.
    static void CopyGuid(const ToSqlSource& in_source,
                         SqlData& io_target,
                         ToSqlKernelState& io_state,
                         WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
