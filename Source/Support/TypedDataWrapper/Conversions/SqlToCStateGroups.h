#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

class SqlCTypeMetadata;
class SqlTypeMetadata;
struct SqlToCKernelState;

/// Which metadata values a single-value converter copies into its kernel's state when it is
/// made, one group per kind of pair. Every group also holds the target length: the C type's fixed
/// size for fixed-size types, else the application's buffer length.
enum class SqlToCStateGroup : uint8_t
{
    /// Nothing beyond the target length.
    NONE,
    /// The encoding of the application's buffer (numbers, dates and times as wide text).
    BUFFER_ENCODING,
    /// The driver manager's wide-character encoding when the converter is made, whatever the
    /// buffer's own encoding (bits, binary values, intervals and GUIDs as wide text).
    DRIVER_MANAGER_ENCODING,
    /// The target's precision and scale (integers and floating-point values to SQL_C_NUMERIC).
    NUMERIC_TARGET,
    /// The source's precision and the target's precision and scale (exact numerics and narrow
    /// text to SQL_C_NUMERIC).
    NUMERIC_TO_NUMERIC,
    /// The target's leading precision (integers to single-field intervals).
    LEADING_PRECISION,
    /// The target's leading and fractional-seconds precisions (exact numerics, floating-point
    /// values, bits and narrow text to intervals).
    INTERVAL_PRECISIONS,
    /// The target's fractional-seconds precision (narrow text to timestamps).
    TEXT_TO_TIMESTAMP,
    /// The source's encoding (wide text read as bits, numbers, dates, times and GUIDs).
    WIDE_TEXT_SOURCE,
    /// The source's encoding and precision and the target's precision and scale.
    WIDE_TEXT_TO_NUMERIC,
    /// The source's encoding and the target's fractional-seconds precision.
    WIDE_TEXT_TO_TIMESTAMP,
    /// The source's encoding and the target's leading and fractional-seconds precisions.
    WIDE_TEXT_TO_INTERVAL,
    /// The fractional-seconds precisions of the source and of the target (times and timestamps
    /// to narrow text and structures).
    TIME_PRECISIONS,
    /// TIME_PRECISIONS and the buffer's encoding (times as wide text).
    TIME_PRECISIONS_WIDE,
    /// The source's fractional-seconds precision and the buffer's encoding (timestamps as wide
    /// text).
    TIMESTAMP_WIDE_TEXT,
    /// The source's fractional-seconds precision, to which a timestamp's fraction is cut whatever
    /// precision the application gave its buffer (timestamps to SQL_C_TYPE_TIMESTAMP).
    TIMESTAMP_TO_TIMESTAMP,
    /// The source's leading precision (intervals without seconds as narrow text).
    INTERVAL_TEXT,
    /// The source's leading precision and the driver manager's encoding.
    INTERVAL_WIDE_TEXT,
    /// The source's leading and fractional-seconds precisions (intervals with seconds as narrow
    /// text).
    SECONDS_TEXT,
    /// SECONDS_TEXT and the driver manager's encoding.
    SECONDS_WIDE_TEXT,
    /// The target's scale and precision and the source's leading precision (single-field
    /// intervals without seconds to SQL_C_NUMERIC).
    INTERVAL_TO_NUMERIC,
    /// The source's fractional-seconds precision and the target's scale and precision.
    SECONDS_TO_NUMERIC,
    /// The leading precisions of the source and of the target.
    INTERVAL_TO_INTERVAL,
    /// The encodings of the source and of the buffer; the kernel that copies or transcodes the
    /// text is chosen by them (character data to character buffers).
    CHARACTER_TEXT,
};

/// Makes a kernel state from the metadata by a state group.
class SqlToCStateGroups
{
public:
    SqlToCStateGroups() = delete;

    /// A state with the target length and the fields of in_group from the two metadata records,
    /// the others left as a new state has them.
    static SqlToCKernelState Make(SqlToCStateGroup in_group,
                                  const SqlTypeMetadata& in_source,
                                  const SqlCTypeMetadata& in_target);
};

} // namespace Support
} // namespace Orvik
