#pragma once

// The SQL-to-C conversion kernels: one out-of-line function per (SQL type, C type) pair, shared by
// the single-value converters and the bulk converters, which call it once per value.
//
// The contract every kernel keeps:
// - io_state: the pair's kernel state (SqlToCKernelState), made with the converter. Only the
//   transcoding kernel changes it (its converter is kept there between values).
// - in_source, in_sourceLength: the value in its SQL-side layout and its length in bytes.
//   Kernels of fixed-size sources ignore the length.
// - out_target: the C buffer, or null. Null is a length query: the kernel reports the length,
//   makes the same checks and posts the same results as with a buffer, but writes nothing.
//   Text kernels have nothing to cut without a buffer, so they only report the length.
// - io_targetLength: on entry the size of the target buffer in bytes; on return the length of
//   the converted value: the C type's size for fixed-size targets, and for text the length of the
//   whole text without its terminator, also when it was cut.
// - io_listener: every data problem is posted there as a ConversionResult. A kernel never throws
//   for the data; it posts and returns. NumericValOutOfRange and IntervalFieldOverflow leave the
//   value unwritten; FractionalTrunc and StrRightTrunc come with the cut value written.
// - A kernel into a fixed-size target allocates nothing and takes no lock.

#include "Support/TypedDataWrapper/SqlToCKernelState.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

class WarningListener;

/// The one signature of the conversion kernels.
using SqlToCKernel = void (*)(SqlToCKernelState& io_state,
                              const void* in_source,
                              int64_t in_sourceLength,
                              void* out_target,
                              int64_t& io_targetLength,
                              WarningListener& io_listener);

/// The kernel of the pair (in_source, in_target). Only the pairs listed in the kernel families
/// are defined; where several pairs share one computation, the pair the family names serves them
/// all.
template <TDWType in_source, TDWType in_target>
struct SqlToCCvt
{
    static void Convert(SqlToCKernelState& io_state,
                        const void* in_sourceData,
                        int64_t in_sourceLength,
                        void* out_target,
                        int64_t& io_targetLength,
                        WarningListener& io_listener);
};

/// The kernels that copy text whose source and target encodings are the same, for code units of
/// in_unitSize bytes (1, 2 or 4).
template <int in_unitSize>
struct SqlToCCharCopyCvt
{
    static void Convert(SqlToCKernelState& io_state,
                        const void* in_source,
                        int64_t in_sourceLength,
                        void* out_target,
                        int64_t& io_targetLength,
                        WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik

/// Declares (and, before a body, defines) the kernel of one pair, for the family headers and
/// sources.
#define ORVIK_SQL_TO_C_KERNEL(in_source, in_target)                                              \
    template <>                                                                                  \
    void ::Orvik::Support::SqlToCCvt<::Orvik::Support::in_source, ::Orvik::Support::in_target>:: \
        Convert([[maybe_unused]] ::Orvik::Support::SqlToCKernelState& io_state,                  \
                [[maybe_unused]] const void* in_sourceData,                                      \
                [[maybe_unused]] int64_t in_sourceLength,                                        \
                [[maybe_unused]] void* out_target,                                               \
                [[maybe_unused]] int64_t& io_targetLength,                                       \
                [[maybe_unused]] ::Orvik::Support::WarningListener& io_listener)
